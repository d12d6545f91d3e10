#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/durable.hpp"

int open_appending(const std::string& path, int& descriptor) {
  descriptor = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY, 0644);
  return descriptor < 0 ? errno : 0;
}

int append_text(int descriptor, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = write(descriptor, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? errno : EIO;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

int sync_to_disk(int descriptor) {
  // A pipe or a terminal cannot be synced, and needs no syncing.
  if (fdatasync(descriptor) == 0 || errno == EINVAL) return 0;
  return errno;
}

void close_appending(int descriptor) {
  close(descriptor);
}

int read_start(const std::string& path, std::size_t size, std::string& start) {
  int fd = open(path.c_str(), O_RDONLY | O_NOATIME | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0 && errno == EPERM)
    fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return errno;
  start.resize(size);
  const ssize_t n = read(fd, start.data(), size);
  const int error = n < 0 ? errno : 0;
  close(fd);
  start.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
  return error;
}
