#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/durable.hpp"

namespace {

// Opened to read without touching the last-access time, where the owner
// allows it.
int open_to_read(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NOATIME | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd >= 0 || errno != EPERM) return fd;
  return open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
}

int read_at(const std::string& path, std::size_t size, bool from_end, std::string& text) {
  text.clear();
  const int fd = open_to_read(path);
  if (fd < 0) return errno;
  struct stat st;
  off_t at = 0;
  if (from_end) {
    if (fstat(fd, &st) != 0) {
      const int error = errno;
      close(fd);
      return error;
    }
    at = st.st_size > static_cast<off_t>(size) ? st.st_size - static_cast<off_t>(size) : 0;
  }
  text.resize(size);
  const ssize_t n = pread(fd, text.data(), size, at);
  const int error = n < 0 ? errno : 0;
  close(fd);
  text.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
  return error;
}

}  // namespace

int open_appending(const std::string& path, int& descriptor, bool& created) {
  constexpr int flags = O_WRONLY | O_APPEND | O_CLOEXEC | O_NOCTTY;
  descriptor = open(path.c_str(), flags | O_CREAT | O_EXCL, 0644);
  created = descriptor >= 0;
  if (descriptor < 0 && errno == EEXIST) descriptor = open(path.c_str(), flags);
  return descriptor < 0 ? errno : 0;
}

int lock_for_appending(int descriptor) {
  if (flock(descriptor, LOCK_EX | LOCK_NB) == 0) return 0;
  return errno == EWOULDBLOCK ? EWOULDBLOCK : errno;
}

int append_text(int descriptor, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = write(descriptor, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? errno : ENOSPC;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

int sync_to_disk(int descriptor) {
  // A pipe or a terminal cannot be synced, and needs no syncing.
  if (fdatasync(descriptor) == 0 || errno == EINVAL) return 0;
  return errno;
}

int cut_back(int descriptor, std::int64_t size) {
  return ftruncate(descriptor, static_cast<off_t>(size)) == 0 ? 0 : errno;
}

int size_of(int descriptor, std::int64_t& size) {
  struct stat st;
  if (fstat(descriptor, &st) != 0) return errno;
  size = st.st_size;
  return 0;
}

int sync_folder_of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  const int error = fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
  close(fd);
  return error;
}

void close_appending(int descriptor) {
  close(descriptor);
}

int read_start(const std::string& path, std::size_t size, std::string& start) {
  return read_at(path, size, false, start);
}

int read_end(const std::string& path, std::size_t size, std::string& end) {
  return read_at(path, size, true, end);
}
