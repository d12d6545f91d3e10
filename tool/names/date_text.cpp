#include "names/date_text.hpp"

#include <climits>
#include <optional>

#include "names/leading_number.hpp"
#include "names/scan.hpp"

namespace {

void skip_blanks(std::string_view& text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
}

// One "%d": blanks, an optional sign, at least one digit. A value beyond int
// is pinned to INT_MIN or INT_MAX, which no calendar field accepts.
std::optional<int> take_number(std::string_view& text) {
  const leading_number n = read_leading_number(text);
  if (n.length == 0) return std::nullopt;
  text.remove_prefix(n.length);
  if (n.value < INT_MIN) return INT_MIN;
  if (n.value > INT_MAX) return INT_MAX;
  return static_cast<int>(n.value);
}

bool take_literal(std::string_view& text, char c) {
  if (text.empty() || text.front() != c) return false;
  text.remove_prefix(1);
  return true;
}

// ".SS" right after the minute: exactly two digits. A dot followed by
// anything but a digit is not a seconds field and reads as no seconds.
std::optional<int> take_seconds(std::string_view text) {
  if (text.size() < 2 || text[0] != '.' || !is_digit(text[1])) return 0;
  if (text.size() < 3 || !is_digit(text[2]) || (text.size() > 3 && is_digit(text[3]))) {
    return std::nullopt;
  }
  return (text[1] - '0') * 10 + (text[2] - '0');
}

// "%d-%d-%d %d.%d": what stands before each number. '\0' is nothing, ' '
// any run of blanks (or none), anything else a literal character.
struct format_step {
  int calendar_time::*field;
  char before;
};
constexpr format_step date_format[] = {{&calendar_time::year, '\0'},
                                       {&calendar_time::month, '-'},
                                       {&calendar_time::day, '-'},
                                       {&calendar_time::hour, ' '},
                                       {&calendar_time::minute, '.'}};

}  // namespace

date_reading read_date_text(std::string_view text, bool with_seconds, bool date_only) {
  date_reading reading;
  calendar_time& t = reading.time;
  const std::size_t size = text.size();
  for (const format_step& step : date_format) {
    std::optional<int> number;
    if (step.before == ' ') {
      skip_blanks(text);
      number = take_number(text);
    } else if (step.before == '\0' || take_literal(text, step.before)) {
      number = take_number(text);
    }
    if (!number) {
      // With --date-only, a date with no hour after it is a date of its own.
      if (date_only && step.field == &calendar_time::hour) {
        t = {t.year, t.month, t.day, 0, 0, 0, 0};
        reading.end = size - text.size();
        const date_fault fault = check_calendar(t);
        reading.fault = fault == date_fault::none ? date_fault::no_time : fault;
      }
      return reading;
    }
    t.*step.field = *number;
  }
  if (with_seconds) {
    const std::optional<int> seconds = take_seconds(text);
    t.second = seconds ? *seconds : -1;
  }
  reading.fault = check_calendar(t);
  return reading;
}
