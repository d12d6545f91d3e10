// Reading the date and time out of the part of a name that holds it.
#pragma once

#include <string_view>

#include "names/date_reading.hpp"

// Reads "year-month-day hour.minute" the way scanf reads "%d-%d-%d %d.%d":
// each number may carry blanks and a sign before it, the dashes and the dot
// stand literally, any run of blanks (or none) may stand between day and
// hour, and whatever follows the minute is ignored. With with_seconds, a
// ".SS" right after the minute gives the seconds. With date_only, a date
// that no hour follows reads as that date with fault no_time.
//
// Unlike scanf, a number never wraps: one too large for its field is out of
// range, and the result is checked as a real calendar time.
date_reading read_date_text(std::string_view text, bool with_seconds, bool date_only = false);
