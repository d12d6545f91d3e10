#include "names/date_pattern.hpp"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

#include "names/clock_parts.hpp"
#include "names/scan.hpp"

namespace {

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

const places& byte_places(text_marks& marks, char c) {
  std::uint16_t& index = marks.byte_index[static_cast<unsigned char>(c)];
  if (index == 0) {
    places found;
    for (std::size_t k = 0; k < marks.text.size(); ++k) found[k] = marks.text[k] == c;
    marks.bytes.push_back(found);
    index = static_cast<std::uint16_t>(marks.bytes.size());
  }
  return marks.bytes[index - 1u];
}

places am_pm_places(const std::string_view text) {
  places found;
  for (std::size_t k = 0; k + 1 < text.size(); ++k) {
    const char c = text[k];
    found[k] = (c == 'A' || c == 'a' || c == 'P' || c == 'p') &&
               (text[k + 1] == 'M' || text[k + 1] == 'm');
  }
  return found;
}

// Where the rest of the pattern, from item on, matches: rest holds the
// places from which the items after it match.
places matches_from(text_marks& marks, const pattern_item& item, const places& rest) {
  const std::string_view text = marks.text;
  switch (item.part) {
    case pattern_part::any: {
      // Every place at or before the last one the rest matches from.
      places before;
      for (std::size_t k = text.size() + 1; k-- > 0;) {
        if (rest[k]) {
          before.set();
          return before >> (most_places - 1 - k);
        }
      }
      return before;
    }
    case pattern_part::literal:
      return byte_places(marks, item.literal) & (rest >> 1);
    case pattern_part::year:
      return marks.runs[4] & (rest >> 4);
    case pattern_part::fraction: {
      places found;
      for (std::size_t n = 1; n <= 9; ++n) found |= marks.runs[n] & (rest >> n);
      return found;
    }
    case pattern_part::am_pm:
      return am_pm_places(text) & (rest >> 2);
    case pattern_part::offset: {
      places found;
      for (std::size_t k = 0; k < text.size(); ++k) {
        std::size_t end = k;
        found[k] = read_utc_offset(text, end) && rest[end];
      }
      return found;
    }
    default:  // the two-digit fields
      return marks.runs[2] & (rest >> 2);
  }
}

// What has been read on the way.
struct fields {
  calendar_time time{0, 0, 0, 0, 0, 0, 0};
  std::optional<bool> pm;
  std::optional<std::chrono::minutes> offset;
  bool offset_in_range = true;
};

// Reads item at place at, where the rest matches from one of next; returns
// the place after it, as the first match found takes it.
std::size_t read_item(const pattern_item& item, std::string_view text, std::size_t at,
                      const places& next, fields& f) {
  calendar_time& t = f.time;
  switch (item.part) {
    case pattern_part::any:
      while (!next[at]) ++at;  // as short as it can be
      return at;
    case pattern_part::fraction: {
      std::size_t n = std::min<std::size_t>(9, digit_run(text, at));
      while (!next[at + n]) --n;  // as long as it can be
      t.nanosecond = fraction_at(text, at, n);
      return at + n;
    }
    case pattern_part::literal:
      return at + 1;
    case pattern_part::year:
      t.year = number_at(text, at, 4);
      return at + 4;
    case pattern_part::year_2:
      t.year = number_at(text, at, 2);
      t.year += t.year < 69 ? 2000 : 1900;  // as POSIX says for %y
      return at + 2;
    case pattern_part::am_pm:
      f.pm = text[at] == 'P' || text[at] == 'p';
      return at + 2;
    case pattern_part::offset: {
      const std::optional<utc_offset_text> offset = read_utc_offset(text, at);
      f.offset = offset->offset;
      f.offset_in_range = offset->in_range;
      return at;
    }
    default: {
      int* field = item.part == pattern_part::month    ? &t.month
                   : item.part == pattern_part::day    ? &t.day
                   : item.part == pattern_part::minute ? &t.minute
                   : item.part == pattern_part::second ? &t.second
                                                       : &t.hour;
      *field = number_at(text, at, 2);
      return at + 2;
    }
  }
}

}  // namespace

date_reading read_with_pattern(std::string_view text, const date_pattern& pattern) {
  date_reading reading;
  reading.fault = date_fault::no_match;
  if (text.size() + 1 > most_places) return reading;
  text_marks marks;
  marks.text = text;
  for (std::size_t k = 0; k < text.size(); ++k) {
    const std::size_t run = digit_run(text, k);
    for (std::size_t n = 1; n <= std::min<std::size_t>(run, 9); ++n) marks.runs[n][k] = true;
  }
  // after[n]: the places from which the last n items match, found from the
  // last item back. What follows the last item is ignored: every place
  // matches the empty rest. Where no place is left, nothing matches.
  std::vector<places> after(1);
  for (std::size_t k = 0; k <= text.size(); ++k) after[0][k] = true;
  for (std::size_t i = pattern.size(); i-- > 0;) {
    after.push_back(matches_from(marks, pattern[i], after.back()));
    if (after.back().none()) return reading;
  }
  if (!after.back()[0]) return reading;
  fields f;
  std::size_t at = 0;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    at = read_item(pattern[i], text, at, after[pattern.size() - i - 1], f);
  }
  reading.end = at;
  reading.time = f.time;
  reading.offset = f.offset;
  if (f.pm && !from_12_hour(reading.time, *f.pm)) {
    reading.fault = date_fault::hour;
    return reading;
  }
  reading.fault = check_calendar(reading.time);
  if (reading.fault == date_fault::none && !f.offset_in_range) reading.fault = date_fault::offset;
  return reading;
}
