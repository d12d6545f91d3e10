// The boxes of an ISO base media file (MP4, MOV, HEIC): each a 32-bit
// size and a four-letter type, then its body, which may hold more boxes.
// Read through the caller's reads, every size checked against what holds
// the box, for files from anywhere.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// Reads size bytes from offset into text (fewer at the end); 0 or an error.
using read_fn = std::function<int(std::int64_t offset, std::size_t size, std::string& text)>;

struct box {
  std::int64_t start = 0;
  std::int64_t body = 0;  // where its contents begin
  std::int64_t end = 0;
  std::string type;
};

// The number of count bytes at text[at], most significant first.
std::uint64_t big_endian(const std::string& text, std::size_t at, std::size_t count);

// The box at start, within [start, limit); nullopt where none fits, with
// error set where a read failed. scratch holds its first bytes after.
std::optional<box> box_at(const read_fn& read, std::int64_t start, std::int64_t limit,
                          std::string& scratch, int& error);
