#include "decide/tick_time.hpp"

#include <cstdio>

namespace {

using std::chrono::day;
using std::chrono::days;
using std::chrono::duration_cast;
using std::chrono::floor;
using std::chrono::hh_mm_ss;
using std::chrono::hours;
using std::chrono::January;
using std::chrono::minutes;
using std::chrono::month;
using std::chrono::nanoseconds;
using std::chrono::seconds;
using std::chrono::sys_days;
using std::chrono::year;
using std::chrono::year_month_day;

constexpr sys_days origin = year{1601} / January / 1;

tick_time at_midnight(const year_month_day& date) {
  return tick_origin + duration_cast<ticks>(sys_days{date} - origin);
}

// The first moment that a file system with 32-bit seconds cannot hold:
// 2038-01-19 03:14:08 UTC, 2^31 seconds after the Unix epoch.
constexpr tick_time end_of_32_bit_seconds = unix_epoch + seconds{INT32_MAX} + seconds{1};

}  // namespace

std::optional<tick_time> to_ticks(const calendar_time& c) {
  if (check_calendar(c) != date_fault::none) return std::nullopt;
  const year_month_day date{year{c.year}, month{static_cast<unsigned>(c.month)},
                            day{static_cast<unsigned>(c.day)}};
  return at_midnight(date) + hours{c.hour} + minutes{c.minute} + seconds{c.second} +
         duration_cast<ticks>(nanoseconds{c.nanosecond});
}

calendar_time from_ticks(tick_time t) {
  const days whole_days = floor<days>(t - tick_origin);
  const year_month_day date{origin + whole_days};
  const hh_mm_ss<ticks> time{t - tick_origin - whole_days};
  return {static_cast<int>(date.year()),
          static_cast<int>(static_cast<unsigned>(date.month())),
          static_cast<int>(static_cast<unsigned>(date.day())),
          static_cast<int>(time.hours().count()),
          static_cast<int>(time.minutes().count()),
          static_cast<int>(time.seconds().count())};
}

std::optional<tick_time> shift_ticks(tick_time t, ticks shift) {
  std::int64_t moved = 0;
  const std::int64_t since = (t - tick_origin).count();
  if (since < 0 || __builtin_add_overflow(since, shift.count(), &moved) || moved < 0) {
    return std::nullopt;
  }
  return tick_origin + ticks{moved};
}

std::optional<tick_time> local_to_ticks(const calendar_time& c, utc_offset_fn utc_offset) {
  calendar_time whole = c;
  whole.nanosecond = 0;
  const std::optional<tick_time> wall = to_ticks(whole);
  if (!wall) return std::nullopt;
  const seconds wall_time = duration_cast<seconds>(*wall - unix_epoch);
  // The zone's offsets a day either side bracket any single change of its
  // clocks near this wall time.
  const std::optional<seconds> before = utc_offset(wall_time - days{1});
  const std::optional<seconds> after = utc_offset(wall_time + days{1});
  if (!before || !after) return std::nullopt;

  // Each offset names a candidate moment; it is real if the zone has that
  // offset at that moment.
  std::optional<seconds> found;
  for (const seconds offset : {*before, *after}) {
    const seconds moment = wall_time - offset;
    const std::optional<seconds> actual = utc_offset(moment);
    if (actual && *actual == offset && (!found || moment < *found)) found = moment;
  }
  // In a gap: read the wall time with the offset in force before the gap.
  const seconds moment = found ? *found : wall_time - *before;
  const std::optional<tick_time> t = shift_ticks(unix_epoch, moment);  // nullopt before 1601
  if (!t) return std::nullopt;
  return shift_ticks(*t, duration_cast<ticks>(nanoseconds{c.nanosecond}));
}

std::string format_utc(tick_time t, int nanoseconds) {
  const calendar_time c = from_ticks(t);
  char text[64];
  int length = std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", c.year, c.month,
                             c.day, c.hour, c.minute, c.second);
  const std::int64_t fraction = (t - floor<seconds>(t)).count() * 100 + nanoseconds;
  if (fraction != 0) {
    int digits = 9;
    std::int64_t shown = fraction;
    while (shown % 10 == 0) {
      shown /= 10;
      --digits;
    }
    length += std::snprintf(text + length, sizeof text - static_cast<std::size_t>(length),
                            ".%0*lld", digits, static_cast<long long>(shown));
  }
  std::snprintf(text + length, sizeof text - static_cast<std::size_t>(length), " UTC");
  return text;
}

std::string format_utc(const file_time& t) {
  return format_utc(t.tick, t.nanoseconds);
}

bool commonly_held(tick_time t) {
  static const tick_time first = at_midnight(year{1980} / January / 1);
  return t >= first && t < end_of_32_bit_seconds;
}

std::string format_change(const file_time& from, const file_time& to) {
  // Ticks and the nanoseconds below them, each of which fits in 64 bits.
  std::int64_t span = (to.tick - from.tick).count();
  std::int64_t below = to.nanoseconds - from.nanoseconds;
  if (span == 0 && below == 0) return "already so";
  const bool earlier = span < 0 || (span == 0 && below < 0);
  if (earlier) {
    span = -span;
    below = -below;
  }
  if (below < 0) {
    --span;
    below += 100;
  }
  std::string out(1, earlier ? '-' : '+');
  const std::int64_t whole = span / 10'000'000;
  const std::int64_t fraction = span % 10'000'000 * 100 + below;
  const std::int64_t units[] = {whole / 86'400, whole / 3'600 % 24, whole / 60 % 60};
  const char* names[] = {"d", "h", "m"};
  for (int i = 0; i < 3; ++i) {
    if (units[i] != 0) out.append(std::to_string(units[i])).append(names[i]).push_back(' ');
  }
  if (whole % 60 != 0 || fraction != 0) {
    out.append(std::to_string(whole % 60));
    if (fraction != 0) {
      std::string digits = std::to_string(fraction);
      digits.insert(0, 9 - digits.size(), '0');
      while (digits.back() == '0') digits.pop_back();
      out.append(".").append(digits);
    }
    out.push_back('s');
  }
  if (out.back() == ' ') out.pop_back();
  return out;
}

bool zone_is_utc(utc_offset_fn utc_offset, std::chrono::seconds now) {
  for (const std::chrono::seconds at : {now, now + std::chrono::hours{24 * 182}}) {
    const std::optional<std::chrono::seconds> offset = utc_offset(at);
    if (!offset || *offset != std::chrono::seconds{0}) return false;
  }
  return true;
}
