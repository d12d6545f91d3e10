#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "listing/listing_posix.hpp"
#include "platform/handles.hpp"
#include "platform/modified_time.hpp"

// Times past 2038 need a 64-bit time_t; the build asks for it everywhere.
static_assert(sizeof(time_t) >= 8, "build with -D_TIME_BITS=64 -D_FILE_OFFSET_BITS=64");

namespace {

using std::chrono::duration_cast;
using std::chrono::nanoseconds;
using std::chrono::seconds;

timespec to_timespec(const file_time& t) {
  const ticks since_epoch = t.tick - unix_epoch;
  const seconds whole = std::chrono::floor<seconds>(since_epoch);
  const auto rest = duration_cast<nanoseconds>(since_epoch - whole) + nanoseconds{t.nanoseconds};
  return {static_cast<time_t>(whole.count()), static_cast<long>(rest.count())};
}

file_time from_timespec(const timespec& t) {
  const nanoseconds rest{t.tv_nsec};
  return {unix_epoch + seconds{t.tv_sec} + duration_cast<ticks>(rest),
          static_cast<int>(rest.count() % 100)};
}

// A file is reached through its folder's listing when it has one (the
// run), else by its path (an undo).
int folder_of(const file_ref& file) {
  return file.folder != nullptr ? listing_fd(listing_of(file.folder)) : AT_FDCWD;
}

const char* name_of(const file_ref& file) {
  return file.name != nullptr ? file.name : file.path;
}

// Where a link or an unlooked-up entry leads: 0, EISDIR, or errno.
int look_at(const file_ref& file, struct stat& st) {
  if (fstatat(folder_of(file), name_of(file), &st, 0) != 0) return errno;
  return S_ISDIR(st.st_mode) ? EISDIR : 0;
}

}  // namespace

const int platform_folder_error = EISDIR;

int check_write_time(const file_ref& file) {
  const int kind = file.kind;
  if (kind == kind_directory) return EISDIR;
  if (kind != kind_link && kind != kind_unknown) return 0;
  struct stat st;
  return look_at(file, st);
}

int read_modified_time(const file_ref& file, file_time& time) {
  struct stat st;
  if (const int error = look_at(file, st)) return error;
  time = from_timespec(st.st_mtim);
  return 0;
}

int write_modified_time(const file_ref& file, const file_time& time) {
  const timespec times[2] = {{0, UTIME_OMIT}, to_timespec(time)};
  return utimensat(folder_of(file), name_of(file), times, 0) == 0 ? 0 : errno;
}

// Linux has no call that sets a file's birth time.
bool set_creation_time_too() {
  return false;
}

int read_creation_time(const file_ref&, file_time&) {
  return ENOTSUP;
}

int write_creation_time(const file_ref&, const file_time&) {
  return ENOTSUP;
}

file_time platform_precision(const file_time& t) {
  return t;
}

std::string error_text(int code) {
  return std::strerror(code);
}
