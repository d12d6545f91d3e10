// Unicode's normal forms of a name: an export unpacked on macOS writes
// names decomposed ('a' and a combining ring), while Takeout's titles and
// most file systems keep them composed ('å'). Names and titles are
// matched in the composed form (NFC).
//
// Linux reads them with utf8proc, Windows with its own NormalizeString.
#pragma once

#include <string>
#include <string_view>

inline bool all_ascii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// text in normal form C, or D; as it is when it is no valid UTF-8.
std::string composed(std::string_view text);
std::string decomposed(std::string_view text);
