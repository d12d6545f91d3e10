// The signed decimal number at the start of a text, read the way both atoi
// and scanf's "%d" read one.
#pragma once

#include <cstdint>
#include <string_view>

// The blanks that atoi and "%d" skip: C's isspace in the "C" locale.
bool is_blank(char c);

struct leading_number {
  std::size_t length = 0;  // characters read, blanks and sign included; 0 when no digit follows
  bool fits = true;        // false when the number is beyond 64 bits
  std::int64_t value = 0;  // beyond 64 bits: pinned to INT64_MIN or INT64_MAX
};

// Leading blanks, an optional sign, then the digits up to the first
// character that is none.
leading_number read_leading_number(std::string_view text);
