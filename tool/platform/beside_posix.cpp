#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "listing/listing_posix.hpp"
#include "platform/beside.hpp"

namespace {

constexpr std::size_t first_size = 64 * 1024;

int read_all(int fd, std::vector<char>& buffer, std::size_t& length) {
  if (buffer.size() < first_size) buffer.resize(first_size);
  length = 0;
  for (;;) {
    if (length == buffer.size()) {
      if (buffer.size() > beside_limit) return EFBIG;
      buffer.resize(buffer.size() * 2);
    }
    const ssize_t got = read(fd, buffer.data() + length, buffer.size() - length);
    if (got == 0) return length > beside_limit ? EFBIG : 0;
    if (got < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    length += static_cast<std::size_t>(got);
  }
}

}  // namespace

int read_beside(const file_ref& file, const std::string& name, std::vector<char>& buffer,
                std::size_t& length) {
  const int folder = file.folder != nullptr ? listing_fd(file.folder) : AT_FDCWD;
  const int fd = openat(folder, name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return errno;
  const int error = read_all(fd, buffer, length);
  close(fd);
  return error;
}

bool is_missing(int error) {
  return error == ENOENT || error == ENOTDIR;
}
