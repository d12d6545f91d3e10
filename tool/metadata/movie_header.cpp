#include "metadata/movie_header.hpp"

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
