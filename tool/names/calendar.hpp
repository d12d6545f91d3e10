// A calendar time as read from a name, and the checks that make it real.
#pragma once

// The fields are wide enough for any number a reader accepts, so nothing
// wraps before it is checked.
struct calendar_time {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int nanosecond = 0;  // the fraction of the second, 0 to 999,999,999
};

// Which part of a date is wrong, if any. no_date: the text holds no date
// in the base form; no_shape: none in any shape --auto knows; no_match: it
// does not match --format's pattern; no_time: a real date, but no time.
enum class date_fault {
  none,
  no_date,
  no_shape,
  no_match,
  no_time,
  year,
  month,
  day,
  hour,
  minute,
  second,
  offset,
  day_half  // a 12-hour mark (AM, PM) stands there in a form not read
};

// The checks Windows makes before it turns a calendar time into ticks:
// years 1601 to 30827, real months and days (Gregorian), hours 0-23,
// minutes and seconds 0-59.
date_fault check_calendar(const calendar_time& c);
