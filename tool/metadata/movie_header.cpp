#include "metadata/movie_header.hpp"

namespace {

std::uint64_t big_endian(const std::string& text, std::size_t at, std::size_t count) {
  std::uint64_t value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    value = value << 8 | static_cast<unsigned char>(text[i]);
  }
  return value;
}

struct box {
  std::int64_t start = 0;
  std::int64_t body = 0;  // where its contents begin
  std::int64_t end = 0;
  std::string type;
};

// The box at start, within [start, limit); nullopt where none fits.
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

}  // namespace

movie_header read_movie_header(const read_fn& read, std::int64_t size) {
  movie_header header;
  std::string scratch;
  std::int64_t at = 0;
  std::int64_t limit = size;
  bool in_moov = false;
  for (int boxes = 0; boxes < 4096; ++boxes) {
    const std::optional<box> b = box_at(read, at, limit, scratch, header.error);
    if (!b) return header;
    if (b->type == "moov" && !in_moov) {  // into it
      at = b->body;
      limit = b->end;
      in_moov = true;
      continue;
    }
    if (b->type == "mvhd" && in_moov) {
      if ((header.error = read(b->body, 12, scratch)) != 0 || scratch.empty()) return header;
      const bool wide = scratch[0] == 1;  // version 1: 64-bit times
      const std::size_t field = wide ? 8 : 4;
      if (scratch.size() < 4 + field || b->end - b->body < static_cast<std::int64_t>(4 + field)) {
        return header;
      }
      header.created = big_endian(scratch, 4, field);
      return header;
    }
    at = b->end;
  }
  return header;
}
