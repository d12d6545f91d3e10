#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <bit>
#include <cerrno>

#include "listing/listing_posix.hpp"
#include "platform/beside.hpp"
#include "platform/handles.hpp"

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
    if (close_range(first, last, 0) != 0) {  // a kernel before 5.9
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
