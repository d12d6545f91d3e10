// Reading the date and time out of the part of a name that holds it.
#pragma once

#include <string_view>

#include "tool/tick_time.hpp"

struct date_reading {
  date_fault fault = date_fault::no_date;
  calendar_time time;
};

// Reads "year-month-day hour.minute" the way scanf reads "%d-%d-%d %d.%d":
// each number may carry blanks and a sign before it, the dashes and the dot
// stand literally, any run of blanks (or none) may stand between day and
// hour, and whatever follows the minute is ignored. With with_seconds, a
// ".SS" right after the minute gives the seconds.
//
// Unlike scanf, a number never wraps: one too large for its field is out of
// range, and the result is checked as a real calendar time.
date_reading read_date_text(std::string_view text, bool with_seconds);

// A short phrase that says what is wrong, for a message.
std::string_view describe(date_fault fault);
