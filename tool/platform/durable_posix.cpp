#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/durable.hpp"

namespace {

// Whether a path names something other than a regular file (a pipe, a
// device, a folder): such a file is never opened, not even to look.
bool is_other_than_a_file(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

}  // namespace

int open_appending(const std::string& path, int& descriptor, bool& created) {
  // Never waits on a pipe: only a regular file is kept, checked before it
  // is opened and again on the descriptor.
  if (is_other_than_a_file(path)) return ENODEV;
  constexpr int flags = O_RDWR | O_APPEND | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  descriptor = open(path.c_str(), flags | O_CREAT | O_EXCL, 0644);
  created = descriptor >= 0;
  if (descriptor < 0 && errno == EEXIST) descriptor = open(path.c_str(), flags);
  if (descriptor < 0) return errno;
  struct stat st;
  const int error = fstat(descriptor, &st) != 0 ? errno : S_ISREG(st.st_mode) ? 0 : ENODEV;
  if (error == 0) return fcntl(descriptor, F_SETFL, O_APPEND) == 0 ? 0 : errno;
  close(descriptor);
  descriptor = -1;
  return error;
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

int identify(int descriptor, unsigned long long& device, unsigned long long& file) {
  struct stat st;
  if (fstat(descriptor, &st) != 0) return errno;
  device = st.st_dev;
  file = st.st_ino;
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

void close_descriptor(int descriptor) {
  close(descriptor);
}

int open_updating(const std::string& path, int& descriptor) {
  if (is_other_than_a_file(path)) return ENODEV;
  descriptor = open(path.c_str(), O_RDWR | O_APPEND | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (descriptor < 0) return errno;
  struct stat st;
  const int error = fstat(descriptor, &st) != 0 ? errno : S_ISREG(st.st_mode) ? 0 : ENODEV;
  if (error != 0) {
    close(descriptor);
    descriptor = -1;
  }
  return error;
}

const bool replaces_open_files = true;

int replace_file(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int open_reading(const std::string& path, int& descriptor) {
  if (is_other_than_a_file(path)) return ENODEV;
  constexpr int flags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  descriptor = open(path.c_str(), flags | O_NOATIME);
  if (descriptor < 0 && errno == EPERM) descriptor = open(path.c_str(), flags);  // not the owner
  if (descriptor < 0) return errno;
  struct stat st;
  const int error = fstat(descriptor, &st) != 0 ? errno : S_ISREG(st.st_mode) ? 0 : ENODEV;
  if (error != 0) {
    close(descriptor);
    descriptor = -1;
  }
  return error;
}

int read_at(int descriptor, std::int64_t offset, std::size_t size, std::string& text) {
  text.resize(size);
  std::size_t got = 0;
  while (got < size) {
    const ssize_t n = pread(descriptor, text.data() + got, size - got,
                            static_cast<off_t>(offset + static_cast<std::int64_t>(got)));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      text.clear();
      return errno;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  text.resize(got);
  return 0;
}
