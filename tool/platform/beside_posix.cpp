#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cstdio>

#include "listing/listing_posix.hpp"
#include "platform/beside.hpp"
#include "platform/handles.hpp"

namespace {

constexpr std::size_t first_size = 64 * 1024;

}  // namespace

const int not_regular_error = ENODEV;

namespace {

constexpr int read_flags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;

// O_NOATIME leaves the file's last-access time as it is; only its owner
// (or root) may ask for it, so it is asked for file by file.
int keep_access_time(const struct stat& st) {
  static const uid_t runner = geteuid();
  return runner == 0 || st.st_uid == runner ? O_NOATIME : 0;
}

// A link beside is followed without opening what it leads to first: its
// file is looked at through an O_PATH descriptor, and opened only if it is
// a regular file, so that a link to a device never opens the device.
int open_through_link(int folder, const char* name) {
  const int path = openat(folder, name, O_PATH | O_CLOEXEC);
  if (path < 0) return -1;
  struct stat st;
  int fd = -1;
  if (fstat(path, &st) != 0) {
    fd = -1;
  } else if (!S_ISREG(st.st_mode)) {
    errno = ENODEV;
  } else {
    char through[32];
    std::snprintf(through, sizeof through, "/proc/self/fd/%d", path);
    fd = open(through, read_flags | keep_access_time(st));
  }
  const int saved = errno;
  close(path);
  errno = saved;
  return fd;
}

// Opens the file beside only if it is a regular file, or a link to one:
// never a pipe, a device or a folder (ENODEV), and never waiting.
int open_beside(int folder, const char* name) {
  struct stat st;
  if (fstatat(folder, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return -1;
  if (S_ISLNK(st.st_mode)) return open_through_link(folder, name);
  if (!S_ISREG(st.st_mode)) {
    errno = ENODEV;
    return -1;
  }
  // Not followed: one swapped for a link since the look is refused (ELOOP).
  return openat(folder, name, read_flags | O_NOFOLLOW | keep_access_time(st));
}

// Reads until a read comes back short: for a regular file, its end. Were
// some file system to stop short sooner, the text would be cut off, and
// a JSON object cut off does not parse: it is reported, never misread.
int read_all(int fd, std::vector<char>& buffer, std::size_t& length) {
  if (buffer.size() < first_size) buffer.resize(first_size);
  length = 0;
  for (;;) {
    const std::size_t wanted = buffer.size() - length;
    const ssize_t got = read(fd, buffer.data() + length, wanted);
    if (got < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    length += static_cast<std::size_t>(got);
    if (length > beside_limit) return EFBIG;
    if (static_cast<std::size_t>(got) < wanted) return 0;
    buffer.resize(buffer.size() * 2);
  }
}

// Closing is a system call a file: the descriptors of sidecars read are
// closed many at a time (up to the reader's hold), with one close_range
// for each run of numbers that are all the reader's own. The system gives
// out the lowest free number, so the numbers held stay close together,
// and a number some other code (or thread) holds is never in the
// reader's set.
void done_with(beside_reader& reader, int fd) {
  if (reader.first >= 0 && (fd < reader.first || fd >= reader.first + 64)) close_beside(reader);
  if (reader.first < 0) reader.first = fd;
  reader.done |= std::uint64_t{1} << (fd - reader.first);
  if (std::popcount(reader.done) >= reader.hold) close_beside(reader);
}

}  // namespace

int read_beside(const file_ref& file, const std::string& name, beside_reader& reader,
                std::size_t& length) {
  const int folder = file.folder != nullptr ? listing_fd(listing_of(file.folder)) : AT_FDCWD;
  int fd = open_beside(folder, name.c_str());
  if (fd < 0 && errno == EMFILE && reader.done != 0) {
    close_beside(reader);
    fd = open_beside(folder, name.c_str());
  }
  if (fd < 0) return errno;
  const int error = read_all(fd, reader.buffer, length);
  done_with(reader, fd);
  return error;
}

int open_data(const file_ref& file, int& descriptor) {
  const int folder = file.folder != nullptr ? listing_fd(listing_of(file.folder)) : AT_FDCWD;
  descriptor = file.kind == kind_link ? open_through_link(folder, file.name)
                                      : open_beside(folder, file.name);
  return descriptor < 0 ? errno : 0;
}

// ThreadSanitizer (GCC 12's) does not see close_range: it would take a
// number given out again, to another thread, for the descriptor closed.
// Under it, each descriptor is closed by itself.
#if defined(__SANITIZE_THREAD__)
constexpr bool one_by_one = true;
#else
constexpr bool one_by_one = false;
#endif

void close_beside(beside_reader& reader) {
  for (int bit = 0; bit < 64;) {
    if (!(reader.done >> bit & 1)) {
      ++bit;
      continue;
    }
    int end = bit;
    while (end + 1 < 64 && (reader.done >> (end + 1) & 1)) ++end;
    const auto first = static_cast<unsigned>(reader.first + bit);
    const auto last = static_cast<unsigned>(reader.first + end);
    if (one_by_one || close_range(first, last, 0) != 0) {  // or a kernel before 5.9
      for (unsigned fd = first; fd <= last; ++fd) close(static_cast<int>(fd));
    }
    bit = end + 1;
  }
  reader.first = -1;
  reader.done = 0;
}

// A name too long for the file system names no file either: a long
// duplicate's number, moved, can make one.
bool is_missing(int error) {
  return error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG;
}
