#include "metadata/descriptor_io.hpp"

#include <algorithm>
#include <cstring>
#include <exiv2/error.hpp>

descriptor_io::descriptor_io(const system_calls& system, int descriptor, std::int64_t size,
                             std::string path)
    : system_(system), descriptor_(descriptor), size_(size), path_(std::move(path)) {}

int descriptor_io::open() {
  at_ = 0;
  eof_ = false;
  return 0;
}

int descriptor_io::close() {
  munmap();
  return 0;
}

long descriptor_io::write(const Exiv2::byte*, long) {
  return 0;
}

long descriptor_io::write(Exiv2::BasicIo&) {
  return 0;
}

int descriptor_io::putb(Exiv2::byte) {
  return EOF;
}

Exiv2::DataBuf descriptor_io::read(long count) {
  Exiv2::DataBuf buffer(std::max(count, 0L));
  const long got = read(buffer.pData_, buffer.size_);
  if (got < 0) throw Exiv2::Error(Exiv2::kerInputDataReadFailed);
  buffer.size_ = got;
  return buffer;
}

// exiv2 reads a few bytes at a time (a box's header, a segment's
// length): a read brings in a block of 64 KiB, and what follows is served
// from it, so that a file costs a few calls, not hundreds (each a round
// trip on a share).
long descriptor_io::read(Exiv2::byte* buffer, long count) {
  // A file crafted so that exiv2 reads on and on (a box that claims four
  // billion entries) is corrupt: the reading stops, never hangs.
  if (++reads_ > 4'000'000 || (at_ >= size_ && ++reads_past_end_ > 1000)) {
    throw Exiv2::Error(Exiv2::kerCorruptedMetadata);
  }
  if (count <= 0) return 0;
  const auto wanted = static_cast<std::size_t>(std::min<std::int64_t>(count, size_ - at_));
  if (at_ >= size_ || wanted == 0) {
    eof_ = true;
    return 0;
  }
  const std::int64_t block_end = block_at_ + static_cast<std::int64_t>(block_.size());
  if (at_ < block_at_ || at_ + static_cast<std::int64_t>(wanted) > block_end) {
    // No more than the file holds: a read asked past its end comes back
    // short, and would be asked on, one more call for nothing.
    constexpr std::size_t block_size = 64 * 1024;
    const std::size_t block =
        std::min(std::max(wanted, block_size), static_cast<std::size_t>(size_ - at_));
    if (const int failed = system_.read_at(descriptor_, at_, block, block_)) {
      error_ = failed;
      block_.clear();
      return -1;
    }
    block_at_ = at_;
  }
  const auto from = static_cast<std::size_t>(at_ - block_at_);
  const std::size_t got = std::min(wanted, block_.size() - from);
  std::memcpy(buffer, block_.data() + from, got);
  at_ += static_cast<std::int64_t>(got);
  if (got < static_cast<std::size_t>(count)) eof_ = true;
  return static_cast<long>(got);
}

int descriptor_io::getb() {
  Exiv2::byte byte = 0;
  return read(&byte, 1) == 1 ? byte : EOF;
}

void descriptor_io::transfer(Exiv2::BasicIo&) {
  throw Exiv2::Error(Exiv2::kerFunctionNotSupported, "transfer");
}

int descriptor_io::seek(long offset, Position from) {
  const std::int64_t base = from == beg ? 0 : from == cur ? at_ : size_;
  const std::int64_t to = base + offset;
  if (to < 0 || to > size_) return 1;
  at_ = to;
  eof_ = false;
  return 0;
}

// The readers of TIFF-based formats (the camera raws) ask for the whole
// file: it is read once (up to 512 MiB), and let go with munmap.
Exiv2::byte* descriptor_io::mmap(bool writable) {
  if (writable) throw Exiv2::Error(Exiv2::kerFunctionNotSupported, "mmap for writing");
  constexpr std::int64_t largest = std::int64_t{512} << 20;  // memory stays bounded
  if (size_ > largest) throw Exiv2::Error(Exiv2::kerFailedToMapFileForReadWrite, path_);
  if (mapped_.empty() && size_ > 0) {
    if (const int failed =
            system_.read_at(descriptor_, 0, static_cast<std::size_t>(size_), mapped_)) {
      error_ = failed;
      throw Exiv2::Error(Exiv2::kerInputDataReadFailed);
    }
  }
  return reinterpret_cast<Exiv2::byte*>(mapped_.data());
}

int descriptor_io::munmap() {
  std::string().swap(mapped_);
  return 0;
}

long descriptor_io::tell() const {
  return static_cast<long>(at_);
}

std::size_t descriptor_io::size() const {
  return static_cast<std::size_t>(size_);
}

bool descriptor_io::isopen() const {
  return true;
}

int descriptor_io::error() const {
  return error_;
}

bool descriptor_io::eof() const {
  return eof_;
}

std::string descriptor_io::path() const {
  return path_;
}

#ifdef EXV_UNICODE_PATH
std::wstring descriptor_io::wpath() const {
  return std::wstring(path_.begin(), path_.end());
}
#endif
