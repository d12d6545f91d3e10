#include "tool/tick_time.hpp"

#include <chrono>
#include <cstdio>

namespace {

using namespace std::chrono;

// Days from 1601-01-01 to the given civil date.
std::int64_t days_since_1601(const year_month_day& date) {
  constexpr sys_days origin = year{1601} / January / 1;
  return (sys_days{date} - origin).count();
}

constexpr std::int64_t ticks_per_day = 24 * ticks_per_hour;

tick_time ticks_at(int y, unsigned m, unsigned d) {
  return static_cast<tick_time>(days_since_1601(year{y} / m / d) * ticks_per_day);
}

}  // namespace

date_fault check_calendar(const calendar_time& c) {
  if (c.year < 1601 || c.year > 30827) return date_fault::year;
  if (c.month < 1 || c.month > 12) return date_fault::month;
  const year_month_day date{year{c.year}, month{static_cast<unsigned>(c.month)},
                            day{static_cast<unsigned>(c.day < 1    ? 0
                                                      : c.day > 31 ? 32
                                                                   : c.day)}};
  if (!date.ok()) return date_fault::day;
  if (c.hour < 0 || c.hour > 23) return date_fault::hour;
  if (c.minute < 0 || c.minute > 59) return date_fault::minute;
  if (c.second < 0 || c.second > 59) return date_fault::second;
  return date_fault::none;
}

std::optional<tick_time> to_ticks(const calendar_time& c) {
  if (check_calendar(c) != date_fault::none) return std::nullopt;
  const std::int64_t seconds = c.hour * 3600 + c.minute * 60 + c.second;
  return ticks_at(c.year, static_cast<unsigned>(c.month), static_cast<unsigned>(c.day)) +
         static_cast<tick_time>(seconds * ticks_per_second);
}

calendar_time from_ticks(tick_time t) {
  constexpr sys_days origin = year{1601} / January / 1;
  const auto days = static_cast<std::int64_t>(t / ticks_per_day);
  const auto seconds = static_cast<std::int64_t>(t % ticks_per_day) / ticks_per_second;
  const year_month_day date{origin + sys_days::duration{days}};
  return {static_cast<int>(date.year()),
          static_cast<int>(static_cast<unsigned>(date.month())),
          static_cast<int>(static_cast<unsigned>(date.day())),
          static_cast<int>(seconds / 3600),
          static_cast<int>(seconds / 60 % 60),
          static_cast<int>(seconds % 60)};
}

std::optional<tick_time> shift_ticks(tick_time t, std::int64_t shift) {
  // t is at most max_tick_time, so both sides fit a signed 64-bit sum unless
  // it overflows, which the builtin reports.
  std::int64_t moved = 0;
  if (t > max_tick_time || __builtin_add_overflow(static_cast<std::int64_t>(t), shift, &moved) ||
      moved < 0) {
    return std::nullopt;
  }
  return static_cast<tick_time>(moved);
}

std::optional<tick_time> local_to_ticks(const calendar_time& c, utc_offset_fn utc_offset) {
  const std::optional<tick_time> wall = to_ticks(c);
  if (!wall) return std::nullopt;
  const auto wall_seconds =
      static_cast<std::int64_t>(*wall / ticks_per_second) - unix_epoch_ticks / ticks_per_second;
  // The zone's offsets a day either side bracket any single change of its
  // clocks near this wall time.
  constexpr std::int64_t day_seconds = 86'400;
  const std::optional<std::int64_t> before = utc_offset(wall_seconds - day_seconds);
  const std::optional<std::int64_t> after = utc_offset(wall_seconds + day_seconds);
  if (!before || !after) return std::nullopt;

  // Each offset names a candidate moment; it is real if the zone has that
  // offset at that moment.
  std::optional<std::int64_t> found;
  for (const std::int64_t offset : {*before, *after}) {
    const std::int64_t moment = wall_seconds - offset;
    const std::optional<std::int64_t> actual = utc_offset(moment);
    if (actual && *actual == offset && (!found || moment < *found)) found = moment;
  }
  // In a gap: read the wall time with the offset in force before the gap.
  const std::int64_t moment = found ? *found : wall_seconds - *before;
  return shift_ticks(static_cast<tick_time>(unix_epoch_ticks),
                     moment * ticks_per_second);  // nullopt before 1601
}

std::string format_utc(tick_time t) {
  const calendar_time c = from_ticks(t);
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d UTC", c.year, c.month, c.day,
                c.hour, c.minute, c.second);
  return text;
}

bool commonly_held(tick_time t) {
  static const tick_time first = ticks_at(1980, 1, 1);
  static const tick_time end = ticks_at(2108, 1, 1);
  return t >= first && t < end;
}
