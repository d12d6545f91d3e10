#include "metadata/boxes.hpp"

std::uint64_t big_endian(const std::string& text, std::size_t at, std::size_t count) {
  std::uint64_t value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    value = value << 8 | static_cast<unsigned char>(text[i]);
  }
  return value;
}

std::optional<box> box_at(const read_fn& read, std::int64_t start, std::int64_t limit,
                          std::string& scratch, int& error) {
  if (limit - start < 8) return std::nullopt;
  if ((error = read(start, 16, scratch)) != 0 || scratch.size() < 8) return std::nullopt;
  box b{start, start + 8, 0, scratch.substr(4, 4)};
  std::uint64_t size = big_endian(scratch, 0, 4);
  if (size == 1) {  // a 64-bit size follows the type
    if (scratch.size() < 16) return std::nullopt;
    size = big_endian(scratch, 8, 8);
    b.body = start + 16;
  } else if (size == 0) {  // to the end of what holds it
    size = static_cast<std::uint64_t>(limit - start);
  }
  if (size < static_cast<std::uint64_t>(b.body - start) ||
      size > static_cast<std::uint64_t>(limit - start)) {
    return std::nullopt;
  }
  b.end = start + static_cast<std::int64_t>(size);
  return b;
}
