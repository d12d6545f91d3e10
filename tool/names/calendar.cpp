#include "names/calendar.hpp"

#include <chrono>

date_fault check_calendar(const calendar_time& c) {
  using namespace std::chrono;
  if (c.year < 1601 || c.year > 30827) return date_fault::year;
  if (c.month < 1 || c.month > 12) return date_fault::month;
  const year_month_day date{year{c.year}, month{static_cast<unsigned>(c.month)},
                            day{static_cast<unsigned>(c.day < 1    ? 0
                                                      : c.day > 31 ? 32
                                                                   : c.day)}};
  if (!date.ok()) return date_fault::day;
  if (c.hour < 0 || c.hour > 23) return date_fault::hour;
  if (c.minute < 0 || c.minute > 59) return date_fault::minute;
  if (c.second < 0 || c.second > 59 || c.nanosecond < 0 || c.nanosecond > 999'999'999) {
    return date_fault::second;
  }
  return date_fault::none;
}
