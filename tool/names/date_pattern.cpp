#include "names/date_pattern.hpp"

#include <algorithm>

#include "names/clock_parts.hpp"
#include "names/scan.hpp"

namespace {

// What has been read so far: a match may be tried again from any point.
struct fields {
  calendar_time time{0, 0, 0, 0, 0, 0, 0};
  std::optional<bool> pm;
  std::optional<std::chrono::minutes> offset;
  bool offset_in_range = true;
};

// A two-digit field, no more and no less.
bool take_two(std::string_view text, std::size_t& at, int& field) {
  if (!digit_at(text, at) || !digit_at(text, at + 1)) return false;
  field = number_at(text, at, 2);
  at += 2;
  return true;
}

// One match of a pattern against a text. Whether the rest of a pattern
// matches from a point depends on that point alone, not on the fields read
// on the way, so a point that failed once is not tried again: a pattern
// with many '*' costs items × length tries at most, never more.
struct matcher {
  std::string_view text;
  const date_pattern& pattern;
  std::vector<bool> failed;  // by (item, at)
  fields result;
};

bool match(matcher& m, std::size_t at, std::size_t item, fields f);

// The fraction is as long as it can be, shorter only if the rest needs it.
bool match_fraction(matcher& m, std::size_t at, std::size_t item, fields f) {
  for (std::size_t n = std::min<std::size_t>(9, digit_run(m.text, at)); n >= 1; --n) {
    f.time.nanosecond = fraction_at(m.text, at, n);
    if (match(m, at + n, item + 1, f)) return true;
  }
  return false;
}

// Matches pattern items from item on against the text from at on.
bool match_item(matcher& m, std::size_t at, std::size_t item, fields f) {
  const std::string_view text = m.text;
  if (item == m.pattern.size()) {
    m.result = f;
    return true;
  }
  const pattern_item& p = m.pattern[item];
  calendar_time& t = f.time;
  switch (p.part) {
    case pattern_part::any:
      for (std::size_t end = at; end <= text.size(); ++end) {
        if (match(m, end, item + 1, f)) return true;
      }
      return false;
    case pattern_part::fraction:
      return match_fraction(m, at, item, f);
    case pattern_part::literal:
      if (at >= text.size() || text[at] != p.literal) return false;
      ++at;
      break;
    case pattern_part::year:
      if (digit_run(text, at) < 4) return false;
      t.year = number_at(text, at, 4);
      at += 4;
      break;
    case pattern_part::year_2:
      if (!take_two(text, at, t.year)) return false;
      t.year += t.year < 69 ? 2000 : 1900;  // as POSIX says for %y
      break;
    case pattern_part::am_pm: {
      if (at + 1 >= text.size() || (text[at + 1] != 'M' && text[at + 1] != 'm')) return false;
      const char c = text[at];
      if (c != 'A' && c != 'a' && c != 'P' && c != 'p') return false;
      f.pm = c == 'P' || c == 'p';
      at += 2;
      break;
    }
    case pattern_part::offset:
      if (const std::optional<utc_offset_text> offset = read_utc_offset(text, at)) {
        f.offset = offset->offset;
        f.offset_in_range = offset->in_range;
      } else {
        return false;
      }
      break;
    case pattern_part::month:
    case pattern_part::day:
    case pattern_part::hour:
    case pattern_part::hour_12:
    case pattern_part::minute:
    case pattern_part::second: {
      int* field = p.part == pattern_part::month    ? &t.month
                   : p.part == pattern_part::day    ? &t.day
                   : p.part == pattern_part::minute ? &t.minute
                   : p.part == pattern_part::second ? &t.second
                                                    : &t.hour;
      if (!take_two(text, at, *field)) return false;
      break;
    }
  }
  return match(m, at, item + 1, f);
}

bool match(matcher& m, std::size_t at, std::size_t item, fields f) {
  const std::size_t point = item * (m.text.size() + 1) + at;
  if (m.failed[point]) return false;
  if (match_item(m, at, item, f)) return true;
  m.failed[point] = true;
  return false;
}

}  // namespace

date_reading read_with_pattern(std::string_view text, const date_pattern& pattern) {
  date_reading reading;
  matcher m{text, pattern, std::vector<bool>((pattern.size() + 1) * (text.size() + 1)), {}};
  if (!match(m, 0, 0, fields{})) {
    reading.fault = date_fault::no_match;
    return reading;
  }
  const fields& f = m.result;
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
