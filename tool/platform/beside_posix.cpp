#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "listing/listing_posix.hpp"
#include "platform/beside.hpp"

namespace {

constexpr std::size_t first_size = 64 * 1024;

// O_NOATIME leaves the file's last-access time as it is; only its owner
// may ask for it. Once refused, it is not asked again.
std::atomic<bool> noatime_refused{false};

int open_beside(int folder, const char* name) {
  constexpr int flags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  if (!noatime_refused.load(std::memory_order_relaxed)) {
    const int fd = openat(folder, name, flags | O_NOATIME);
    if (fd >= 0 || errno != EPERM) return fd;
    noatime_refused.store(true, std::memory_order_relaxed);
  }
  return openat(folder, name, flags);
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

}  // namespace

int read_beside(const file_ref& file, const std::string& name, std::vector<char>& buffer,
                std::size_t& length) {
  const int folder = file.folder != nullptr ? listing_fd(file.folder) : AT_FDCWD;
  const int fd = open_beside(folder, name.c_str());
  if (fd < 0) return errno;
  const int error = read_all(fd, buffer, length);
  close(fd);
  return error;
}

// A name too long for the file system names no file either: a long
// duplicate's number, moved, can make one.
bool is_missing(int error) {
  return error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG;
}
