#include "names/date_pattern.hpp"

#include <algorithm>
#include <vector>

#include "names/clock_parts.hpp"
#include "names/date_pattern_places.hpp"
#include "names/scan.hpp"

namespace {

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
      // Two digits, or one where no digit follows it ('1-31-17 at 9.14').
      const std::size_t n = digit_run(text, at) >= 2 ? 2 : 1;
      *field = number_at(text, at, n);
      return at + n;
    }
  }
}

}  // namespace

date_reading read_with_pattern(std::string_view text, const date_pattern& pattern) {
  date_reading reading;
  reading.fault = date_fault::no_match;
  if (text.size() + 1 > most_places) return reading;
  text_marks marks = marks_of(text);
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
