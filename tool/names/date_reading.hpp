// What reading a date out of a name gives, whichever reader read it.
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
};

// A short phrase that says what is wrong, for a message.
std::string_view describe(date_fault fault);

// Whether a reading may be taken at midnight with --date-only: it found a
// real date, and no time.
inline bool date_without_time(const date_reading& r) {
  return r.fault == date_fault::no_time;
}
