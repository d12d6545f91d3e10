// The places of a name a pattern may match from, a word of bits at a
// time: what the matcher (date_pattern_match.cpp) and the reader
// (date_pattern.cpp) share.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string_view>
#include <vector>

#include "names/date_pattern.hpp"

// Places in a text: bit k stands for the text from byte k on. A name is at
// most 765 bytes (255 UTF-16 units of Windows, as UTF-8), and the place
// past its end counts too.
constexpr std::size_t most_places = 1024;
using places = std::bitset<most_places>;

// What the text offers at each place, found once for the whole match.
struct text_marks {
  std::string_view text;
  std::array<places, 10> runs{};  // runs[n]: at least n digits stand there (n up to 9)
  // Where each byte of the pattern's literals stands, found once a byte.
  std::array<std::uint16_t, 256> byte_index{};  // 0: not found yet; else its place in bytes, + 1
  std::vector<places> bytes{};
};

text_marks marks_of(std::string_view text);

// Where the rest of the pattern, from item on, matches: rest holds the
// places from which the items after it match.
places matches_from(text_marks& marks, const pattern_item& item, const places& rest);
