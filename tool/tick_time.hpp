// The one time type inside velmora: 100-nanosecond ticks since
// 1601-01-01 00:00:00 UTC, as Windows keeps file times. Everything here is
// plain arithmetic; the platform layers convert at the edge.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

using tick_time = std::uint64_t;

inline constexpr std::int64_t ticks_per_second = 10'000'000;
inline constexpr std::int64_t ticks_per_hour = 3600 * ticks_per_second;
// 1970-01-01 00:00:00 UTC, the Unix epoch, in ticks.
inline constexpr std::int64_t unix_epoch_ticks = 116'444'736'000'000'000;
// Windows refuses file times with the top bit set; so do we.
inline constexpr tick_time max_tick_time = INT64_MAX;

// A calendar time as read from a name. The fields are wide enough for any
// number the reader accepts, so nothing wraps before it is checked.
struct calendar_time {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Which part of a date is wrong, if any. no_date: the text holds no date at all.
enum class date_fault { none, no_date, year, month, day, hour, minute, second };

// The checks Windows makes before it turns a calendar time into ticks:
// years 1601 to 30827, real months and days (Gregorian), hours 0-23,
// minutes and seconds 0-59.
date_fault check_calendar(const calendar_time& c);

// The calendar time taken as UTC, in ticks; nullopt when check_calendar fails.
std::optional<tick_time> to_ticks(const calendar_time& c);

// The UTC calendar time of a tick time (sub-second ticks are dropped).
calendar_time from_ticks(tick_time t);

// t moved by shift ticks; nullopt when the result would fall before 1601 or
// past max_tick_time. Never wraps.
std::optional<tick_time> shift_ticks(tick_time t, std::int64_t shift);

// The offset of local time from UTC, in seconds, at the given UTC moment
// (seconds since the Unix epoch); nullopt when the system cannot tell.
using utc_offset_fn = std::optional<std::int64_t> (*)(std::int64_t unix_seconds);

// The calendar time taken as local wall-clock time under utc_offset. A time
// that occurs twice (clocks turned back) is the earlier of the two moments;
// a time that never occurs (clocks turned forward) is moved forward by the
// length of the gap, as a clock that was not turned would show it.
std::optional<tick_time> local_to_ticks(const calendar_time& c, utc_offset_fn utc_offset);

// "2010-09-10 14:40:00 UTC".
std::string format_utc(tick_time t);

// Whether every file system we know of holds t as it is: 1980 through 2107.
// Outside it, a time is written and then read back.
bool commonly_held(tick_time t);
