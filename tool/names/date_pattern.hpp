// Reading a date by a pattern the user gives, with the conversions people
// know from strptime: --format '%d.%m.%Y %H-%M'.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "names/date_reading.hpp"

enum class pattern_part {
  literal,   // one byte that stands for itself
  year,      // %Y, 4 digits
  year_2,    // %y, 2 digits: 1969 to 2068
  month,     // %m
  day,       // %d
  hour,      // %H
  hour_12,   // %I, with %p
  minute,    // %M
  second,    // %S
  fraction,  // %f, 1 to 9 digits
  am_pm,     // %p
  offset,    // %z: Z, +HHMM or +HH:MM
  any        // *, any run of text, as short as possible
};

struct pattern_item {
  pattern_part part = pattern_part::literal;
  char literal = '\0';
};

using date_pattern = std::vector<pattern_item>;

// The longest pattern --format takes.
inline constexpr std::size_t longest_pattern = 4096;

// The pattern, or the message of a usage error: one longer than
// longest_pattern, a conversion it does not
// know, a lone '%', %I without %p, or no year, month, day, hour and minute
// (hour and minute may be left out with date_only).
std::optional<date_pattern> compile_pattern(std::string_view text, bool date_only,
                                            std::string& error);

// Matches the pattern from the start of text; what follows the match is
// ignored. no_match when it does not match. '*' takes as little as it can
// and %f as much as it can, where the rest of the pattern still matches.
// No recursion: the work is the pattern's length times the text's, a
// word of bits at a time.
date_reading read_with_pattern(std::string_view text, const date_pattern& pattern);
