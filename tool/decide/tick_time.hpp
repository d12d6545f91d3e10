// The one time type inside velmora: 100-nanosecond ticks since
// 1601-01-01 00:00:00 UTC, as Windows keeps file times. Everything here is
// plain arithmetic; the platform layers convert at the edge.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "names/calendar.hpp"

// A span of time, signed: shifts and offsets.
using ticks = std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>;

// The clock whose epoch is 1601-01-01 00:00:00 UTC. It is never read: it
// only makes a moment a type of its own, apart from a span.
struct tick_clock {
  using rep = ticks::rep;
  using period = ticks::period;
  using duration = ticks;
  using time_point = std::chrono::time_point<tick_clock, ticks>;
  static constexpr bool is_steady = false;
};

// A moment: the ticks since 1601-01-01 00:00:00 UTC. Never negative.
using tick_time = tick_clock::time_point;

// 1601-01-01 00:00:00 UTC, and 1970-01-01 00:00:00 UTC, the Unix epoch.
inline constexpr tick_time tick_origin{};
inline constexpr tick_time unix_epoch{ticks{116'444'736'000'000'000}};
// Windows refuses file times with the top bit set; so do we.
inline constexpr tick_time max_tick_time = tick_time::max();

// A file's last-modified time as exactly as a file system keeps it: Linux
// keeps nanoseconds, which is finer than a tick.
struct file_time {
  tick_time tick{};
  int nanoseconds = 0;  // below the tick, 0 to 99; always 0 on Windows
  friend bool operator==(const file_time&, const file_time&) = default;
};

// A file time as POSIX gives it: seconds and nanoseconds since the Unix
// epoch, the nanoseconds 0 to 999,999,999 (seconds negative before 1970).
struct unix_time {
  long long seconds = 0;
  long nanoseconds = 0;
};

inline unix_time to_unix_time(const file_time& t) {
  using namespace std::chrono;
  const ticks since_epoch = t.tick - unix_epoch;
  const seconds whole = floor<seconds>(since_epoch);
  const auto rest = duration_cast<nanoseconds>(since_epoch - whole) + nanoseconds{t.nanoseconds};
  return {whole.count(), static_cast<long>(rest.count())};
}

inline file_time from_unix_time(const unix_time& t) {
  using namespace std::chrono;
  const nanoseconds rest{t.nanoseconds};
  return {unix_epoch + seconds{t.seconds} + duration_cast<ticks>(rest),
          static_cast<int>(rest.count() % 100)};
}

// The calendar time taken as UTC, in ticks (the fraction cut to whole
// ticks); nullopt when check_calendar fails.
std::optional<tick_time> to_ticks(const calendar_time& c);

// The UTC calendar time of a tick time (sub-second ticks are dropped).
calendar_time from_ticks(tick_time t);

// t moved by shift; nullopt when the result would fall before 1601 or past
// max_tick_time. Never wraps.
std::optional<tick_time> shift_ticks(tick_time t, ticks shift);

// The offset of local time from UTC at the given UTC moment (the time since
// the Unix epoch); nullopt when the system cannot tell.
using utc_offset_fn = std::optional<std::chrono::seconds> (*)(std::chrono::seconds unix_time);

// Whether the zone of utc_offset is UTC all year: its offset now and half
// a year from now are both 0 (and known).
bool zone_is_utc(utc_offset_fn utc_offset, std::chrono::seconds now);

// The calendar time taken as local wall-clock time under utc_offset. A time
// that occurs twice (clocks turned back) is the earlier of the two moments;
// a time that never occurs (clocks turned forward) is moved forward by the
// length of the gap, as a clock that was not turned would show it.
std::optional<tick_time> local_to_ticks(const calendar_time& c, utc_offset_fn utc_offset);

// "2010-09-10 14:40:00 UTC", with the fraction where there is one
// ("2010-09-10 14:40:00.789 UTC").
std::string format_utc(tick_time t, int nanoseconds = 0);
std::string format_utc(const file_time& t);

// How far apart two file times are, from `from` to `to`: "+1h", "-2d 3h",
// "+4m 5.5s", with the units that are not zero; "already so" when they are
// the same.
std::string format_change(const file_time& from, const file_time& to);

// Whether every common file system holds t as it is: 1980-01-01 up to
// 2038-01-19 03:14:08 (FAT, and 32-bit seconds).
// Outside it, a time is written and then read back.
bool commonly_held(tick_time t);
