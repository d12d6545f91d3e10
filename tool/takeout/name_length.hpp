// How Takeout cuts long names short: counted in characters, never inside
// a UTF-8 letter.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

// Takeout cuts a sidecar's name before ".json" to this many characters.
inline constexpr std::size_t sidecar_name_limit = 46;
// Media names Takeout cut short are at least this long.
inline constexpr std::size_t cut_media_name = 40;

inline bool starts_character(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) != 0x80;  // not a UTF-8 continuation
}

// The first limit characters of text.
inline std::string_view clip(std::string_view text, std::size_t limit) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (starts_character(text[i]) && characters++ == limit) return text.substr(0, i);
  }
  return text;
}

inline std::size_t characters_in(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), starts_character));
}
