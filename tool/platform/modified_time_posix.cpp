#include <fcntl.h>
#include <sys/stat.h>

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/look.hpp"
#include "platform/modified_time.hpp"
#include "platform/reach_posix.hpp"
#include "system/link_rule.hpp"

// Times past 2038 need a 64-bit time_t; the build asks for it everywhere.
static_assert(sizeof(time_t) >= 8, "build with -D_TIME_BITS=64 -D_FILE_OFFSET_BITS=64");

using namespace reach;

namespace {

// Only an entry listed as a link is followed; any other is reached as it
// is, so that one swapped for a link since it was listed never leads the
// run out of its folder.
int follow_flag(const file_ref& file) {
  return file.kind == kind_link ? 0 : AT_SYMLINK_NOFOLLOW;
}

// The entry as the run reaches it: 0, EISDIR for a folder, or errno.
int look_at(const file_ref& file, struct stat& st) {
  if (fstatat(folder_of(file), name_of(file), &st, follow_flag(file)) != 0) return errno;
  return S_ISDIR(st.st_mode) ? EISDIR : 0;
}

}  // namespace

const int platform_folder_error = EISDIR;
// No write of a time gives EXDEV of itself: it stands for a link refused.
const int platform_foreign_link_error = EXDEV;
const int platform_read_only_error = EROFS;

int check_write_time(const file_ref& file) {
  if (file.kind == kind_directory) return EISDIR;
  if (file.kind != kind_link) return 0;  // no call: the write itself tells
  struct stat st;
  return look_at(file, st);
}

int read_modified_time(const file_ref& file, file_time& time) {
  struct stat st;
  if (const int error = look_at(file, st)) return error;
  time = from_timespec(st.st_mtim);
  return 0;
}

namespace {

// The link at the name, the same one before and after it is followed.
bool same_link(const struct stat& a, const struct stat& b) {
  return S_ISLNK(a.st_mode) && S_ISLNK(b.st_mode) && a.st_ino == b.st_ino && a.st_dev == b.st_dev;
}

// A link is followed once, to an O_PATH descriptor of what it leads to,
// and the time is set through that descriptor: the link's rule is checked
// against the very file that is stamped, and the link must be the same
// before and after, so that a name swapped for another link meanwhile
// never leads the write elsewhere.
int write_through_link(const file_ref& file, const timespec times[2]) {
  struct stat before;
  if (fstatat(folder_of(file), name_of(file), &before, AT_SYMLINK_NOFOLLOW) != 0) return errno;
  const int target = openat(folder_of(file), name_of(file), O_PATH | O_CLOEXEC);
  if (target < 0) return errno;
  struct stat led_to;
  struct stat after;
  int error = 0;
  if (fstat(target, &led_to) != 0 ||
      fstatat(folder_of(file), name_of(file), &after, AT_SYMLINK_NOFOLLOW) != 0) {
    error = errno;
  } else if (!same_link(before, after) ||
             !may_follow({kind_link, 0, after.st_uid, {}, kind_regular, led_to.st_uid},
                         runner_id())) {
    error = platform_foreign_link_error;
  } else if (S_ISDIR(led_to.st_mode)) {
    error = EISDIR;
  } else {
    char through[32];
    std::snprintf(through, sizeof through, "/proc/self/fd/%d", target);
    if (utimensat(AT_FDCWD, through, times, 0) != 0) error = errno;
  }
  close(target);
  return error;
}

}  // namespace

int write_modified_time(const file_ref& file, const file_time& time) {
  const timespec times[2] = {{0, UTIME_OMIT}, to_timespec(time)};
  if (file.kind == kind_link) return write_through_link(file, times);
  return utimensat(folder_of(file), name_of(file), times, follow_flag(file)) == 0 ? 0 : errno;
}

// Linux has no call that sets a file's birth time.
bool creation_time_settable() {
  return false;
}

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
