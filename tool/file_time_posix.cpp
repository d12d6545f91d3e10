#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "listing/listing_posix.hpp"
#include "tool/file_time.hpp"

namespace {

timespec to_timespec(tick_time t) {
  const auto since_epoch = static_cast<std::int64_t>(t) - unix_epoch_ticks;
  std::int64_t seconds = since_epoch / ticks_per_second;
  std::int64_t rest = since_epoch % ticks_per_second;
  if (rest < 0) {
    rest += ticks_per_second;
    --seconds;
  }
  return {static_cast<time_t>(seconds), static_cast<long>(rest * 100)};
}

// Where a link or an unlooked-up entry leads: 0, error_is_directory, or errno.
int look_at(const file_ref& file, struct stat& st) {
  if (fstatat(listing_fd(file.folder), file.entry->name, &st, 0) != 0) return errno;
  return S_ISDIR(st.st_mode) ? error_is_directory : 0;
}

int write_mtime(const file_ref& file, const timespec& mtime) {
  const timespec times[2] = {{0, UTIME_OMIT}, mtime};
  return utimensat(listing_fd(file.folder), file.entry->name, times, 0) == 0 ? 0 : errno;
}

// The careful path: write, read back, and put the old time back if the
// file system kept something else.
int write_and_verify(const file_ref& file, const timespec& mtime) {
  struct stat before;
  if (const int blocked = look_at(file, before)) return blocked;
  if (const int error = write_mtime(file, mtime)) return error;
  struct stat after;
  if (fstatat(listing_fd(file.folder), file.entry->name, &after, 0) != 0) return errno;
  if (after.st_mtim.tv_sec == mtime.tv_sec && after.st_mtim.tv_nsec == mtime.tv_nsec) return 0;
  write_mtime(file, before.st_mtim);
  return error_not_held;
}

}  // namespace

int check_write_time(const file_ref& file) {
  if (file.entry->kind == kind_directory) return error_is_directory;
  if (file.entry->kind != kind_link && file.entry->kind != kind_unknown) return 0;
  struct stat st;
  return look_at(file, st);
}

int set_write_time(const file_ref& file, tick_time t) {
  const timespec mtime = to_timespec(t);
  if (!commonly_held(t)) return write_and_verify(file, mtime);
  // The fast path: one call for an entry whose kind the listing knows.
  if (const int blocked = check_write_time(file)) return blocked;
  return write_mtime(file, mtime);
}

std::string error_text(int code) {
  return std::strerror(code);
}
