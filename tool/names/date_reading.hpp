// What reading a date out of a name gives, whichever reader read it.
//
// Errors: the readers of this room never fail as calls and never throw;
// what is wrong with a name is the reading's date_fault, which describe()
// says in a phrase.
#pragma once

#include <chrono>
#include <optional>
#include <string_view>

#include "names/calendar.hpp"

struct date_reading {
  date_fault fault = date_fault::no_date;
  calendar_time time;
  // An offset from UTC written in the name: the name then names one
  // instant, and --local does not apply.
  std::optional<std::chrono::minutes> offset;
  // The shape writes UTC, not the local time (Pixel's PXL_ names).
  bool utc_shape = false;
  // Milliseconds since 1970 behind an app's prefix: a date only between
  // 2000 and next year, which the caller, who knows the year, checks.
  bool epoch = false;
  std::size_t end = 0;  // just past what was read: the date alone, for no_time
};

// Whether text from at on holds something shaped like a time that was not
// read: one or two digits, a separator of up to three characters that are
// no digits, and two digits ('12.34', '12h34m', '2.34.56'). A counter such
// as 'WA0001' is no time.
bool time_like_after(std::string_view text, std::size_t at);

// A short phrase that says what is wrong, for a message.
std::string_view describe(date_fault fault);

// Whether a reading may be taken at midnight with --date-only: it found a
// real date, and no time.
inline bool date_without_time(const date_reading& r) {
  return r.fault == date_fault::no_time;
}
