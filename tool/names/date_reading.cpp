#include "names/date_reading.hpp"

#include <algorithm>

#include "names/scan.hpp"

std::string_view describe(date_fault fault) {
  switch (fault) {
    case date_fault::none:
      return "the date is valid";
    case date_fault::no_date:
      return "no date in the form 'year-month-day hour.minute'";
    case date_fault::no_shape:
      return "no date and time in any of the shapes that --auto reads";
    case date_fault::no_match:
      return "the name does not match the --format pattern";
    case date_fault::no_time:
      return "a date but no time (--date-only stamps such names at 00:00)";
    case date_fault::year:
      return "the year is not between 1601 and 30827";
    case date_fault::month:
      return "the month is not between 1 and 12";
    case date_fault::day:
      return "that day does not exist in that month";
    case date_fault::hour:
      return "the hour is not between 0 and 23";
    case date_fault::minute:
      return "the minute is not between 0 and 59";
    case date_fault::second:
      return "the seconds are not two digits between 00 and 59";
    case date_fault::offset:
      return "the offset from UTC is not between -23:59 and +23:59";
    case date_fault::day_half:
      return "a 12-hour mark (AM, PM) stands after the time in a form velmora does not read";
  }
  return "unknown fault";
}

namespace {

bool is_hex_letter(char c) {
  return (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Where the word of letters and digits that stands at at ends, and whether it is
// a piece of a hex id ('46f2d99b', '7ef6'): four or more hex digits, a
// letter among them. Its digits are no time.
std::size_t hex_word_end(std::string_view text, std::size_t at, bool& hex) {
  std::size_t begin = at;
  while (begin > 0 && (is_digit(text[begin - 1]) || is_letter(text[begin - 1]))) --begin;
  std::size_t end = at;
  while (end < text.size() && (is_digit(text[end]) || is_letter(text[end]))) ++end;
  bool letter = false;
  hex = end - begin >= 4;
  for (std::size_t k = begin; hex && k < end; ++k) {
    letter = letter || is_hex_letter(text[k]);
    hex = is_digit(text[k]) || is_hex_letter(text[k]);
  }
  hex = hex && letter;
  return end;
}

}  // namespace

bool time_like_after(std::string_view text, std::size_t at) {
  for (; at < text.size(); ++at) {
    if (!is_digit(text[at]) || (at > 0 && is_digit(text[at - 1]))) continue;
    bool hex = false;
    const std::size_t word_end = hex_word_end(text, at, hex);
    if (hex) {
      at = word_end;
      continue;
    }
    const std::size_t hour = digit_run(text, at);
    if (hour > 2) continue;
    std::size_t next = at + hour;
    const std::size_t separator_end = std::min(text.size(), next + 3);
    while (next < separator_end && !is_digit(text[next])) ++next;
    if (next == at + hour || digit_run(text, next) < 2) continue;
    if (number_at(text, at, hour) <= 24 && number_at(text, next, 2) <= 59) return true;
  }
  return false;
}
