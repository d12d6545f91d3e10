#include "metadata/movie_header.hpp"

namespace {

// The body of a small box (a keys box, a value) into text; false for a
// large one or one cut short.
bool body_of(const read_fn& read, const box& b, std::string& text, int& error) {
  constexpr std::int64_t most = 64 * 1024;
  if (b.end - b.body > most) return false;
  const auto size = static_cast<std::size_t>(b.end - b.body);
  return (error = read(b.body, size, text)) == 0 && text.size() == size;
}

// The index (from 1) of Apple's creation date among a keys box's keys; 0
// where it is not one of them. After the version and flags and the count,
// each key is its size, its namespace, and its name.
std::uint64_t creation_key_index(const std::string& keys) {
  constexpr std::string_view creation_key = "com.apple.quicktime.creationdate";
  if (keys.size() < 8) return 0;
  const std::uint64_t count = big_endian(keys, 4, 4);
  std::size_t at = 8;
  for (std::uint64_t index = 1; index <= count && at + 8 <= keys.size(); ++index) {
    const std::uint64_t size = big_endian(keys, at, 4);
    if (size < 8 || size > keys.size() - at) return 0;
    if (keys.compare(at + 4, 4, "mdta") == 0 && keys.compare(at + 8, size - 8, creation_key) == 0) {
      return index;
    }
    at += size;
  }
  return 0;
}

// The value of item index of an ilst box: its data box holds a type (1 for
// UTF-8), a locale, and the text.
void read_item(const read_fn& read, const box& ilst, std::uint64_t index, movie_header& header,
               std::string& scratch) {
  std::string item_type(4, '\0');
  for (int i = 0; i < 4; ++i) item_type[3 - i] = static_cast<char>(index >> (8 * i) & 0xFF);
  std::int64_t at = ilst.body;
  for (int boxes = 0; boxes < 4096; ++boxes) {
    const std::optional<box> item = box_at(read, at, ilst.end, scratch, header.error);
    if (!item) return;
    if (item->type == item_type) {
      const std::optional<box> data = box_at(read, item->body, item->end, scratch, header.error);
      if (data && data->type == "data" && body_of(read, *data, scratch, header.error) &&
          scratch.size() >= 8 && big_endian(scratch, 0, 4) == 1) {
        header.creation_date = scratch.substr(8);
      }
      return;
    }
    at = item->end;
  }
}

// Apple's creation date in a meta box: its keys box names the key, its
// ilst box holds the value under the key's index.
void read_meta(const read_fn& read, const box& meta, movie_header& header, std::string& scratch) {
  std::int64_t at = meta.body;
  // ISO's meta is a full box, whose version and flags come first;
  // QuickTime's holds its boxes at once, a handler first.
  if ((header.error = read(at, 8, scratch)) != 0 || scratch.size() < 8) return;
  if (scratch.compare(4, 4, "hdlr") != 0 && big_endian(scratch, 0, 4) == 0) at += 4;
  std::uint64_t index = 0;
  std::optional<box> ilst;
  for (int boxes = 0; boxes < 64; ++boxes) {
    const std::optional<box> b = box_at(read, at, meta.end, scratch, header.error);
    if (!b) break;
    if (b->type == "keys" && body_of(read, *b, scratch, header.error)) {
      index = creation_key_index(scratch);
    }
    if (b->type == "ilst") ilst = b;
    at = b->end;
  }
  if (header.error == 0 && index != 0 && ilst) read_item(read, *ilst, index, header, scratch);
}

// The creation time of an mvhd box.
void read_mvhd(const read_fn& read, const box& mvhd, movie_header& header, std::string& scratch) {
  if ((header.error = read(mvhd.body, 12, scratch)) != 0 || scratch.empty()) return;
  const bool wide = scratch[0] == 1;  // version 1: 64-bit times
  const std::size_t field = wide ? 8 : 4;
  if (scratch.size() < 4 + field || mvhd.end - mvhd.body < static_cast<std::int64_t>(4 + field)) {
    return;
  }
  header.created = big_endian(scratch, 4, field);
}

}  // namespace

movie_header read_movie_header(const read_fn& read, std::int64_t size) {
  movie_header header;
  std::string scratch;
  std::int64_t at = 0;
  std::int64_t limit = size;
  std::int64_t moov_end = 0;
  int depth = 0;  // 0: the file's boxes, 1: moov's, 2: moov/udta's
  for (int boxes = 0; boxes < 4096 && header.error == 0; ++boxes) {
    const std::optional<box> b = box_at(read, at, limit, scratch, header.error);
    if (!b && depth == 2 && header.error == 0) {  // out of udta, on in moov
      at = limit;
      limit = moov_end;
      depth = 1;
      continue;
    }
    if (!b) break;
    at = b->end;
    if (depth == 0 && b->type == "moov") {
      at = b->body;
      limit = moov_end = b->end;
      depth = 1;
    } else if (depth == 1 && b->type == "udta") {
      at = b->body;
      limit = b->end;
      depth = 2;
    } else if (depth == 1 && b->type == "mvhd") {
      read_mvhd(read, *b, header, scratch);
    } else if (depth >= 1 && b->type == "meta" && !header.creation_date) {
      read_meta(read, *b, header, scratch);
    }
    if (header.created && header.creation_date) break;
  }
  return header;
}
