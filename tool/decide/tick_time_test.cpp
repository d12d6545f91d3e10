#include "decide/tick_time.hpp"

#include <gtest/gtest.h>

namespace {

using std::chrono::days;
using std::chrono::hours;
using std::chrono::seconds;

calendar_time at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  return {y, mo, d, h, mi, s};
}

TEST(TickTime, KnownMoments) {
  EXPECT_EQ(to_ticks(at(1601, 1, 1)), tick_time{ticks{0}});
  EXPECT_EQ(to_ticks(at(1970, 1, 1)), unix_epoch);
  EXPECT_EQ(to_ticks(at(2010, 9, 10, 13, 40)), tick_time{ticks{129'285'996'000'000'000}});
  EXPECT_EQ(*to_ticks(at(2010, 9, 10, 13, 40, 17)) - *to_ticks(at(2010, 9, 10, 13, 40)),
            seconds{17});
  // A fraction is kept to the tick.
  calendar_time pixel = at(2023, 1, 1, 12, 34, 56);
  pixel.nanosecond = 789'123'456;
  EXPECT_EQ(*to_ticks(pixel) - *to_ticks(at(2023, 1, 1, 12, 34, 56)), ticks{7'891'234});
}

TEST(TickTime, RefusesWhatWindowsRefuses) {
  EXPECT_EQ(check_calendar(at(1600, 12, 31, 23, 59)), date_fault::year);
  EXPECT_EQ(check_calendar(at(30828, 1, 1)), date_fault::year);
  EXPECT_EQ(check_calendar(at(30827, 12, 31, 23, 59, 59)), date_fault::none);
  EXPECT_EQ(check_calendar(at(2010, 0, 1)), date_fault::month);
  EXPECT_EQ(check_calendar(at(2010, 13, 1)), date_fault::month);
  EXPECT_EQ(check_calendar(at(2010, 2, 29)), date_fault::day);
  EXPECT_EQ(check_calendar(at(2000, 2, 29)), date_fault::none);  // divisible by 400
  EXPECT_EQ(check_calendar(at(1900, 2, 29)), date_fault::day);   // by 100, not 400
  EXPECT_EQ(check_calendar(at(2010, 4, 31)), date_fault::day);
  EXPECT_EQ(check_calendar(at(2010, 1, 0)), date_fault::day);
  EXPECT_EQ(check_calendar(at(2010, 1, -5)), date_fault::day);
  EXPECT_EQ(check_calendar(at(2010, 1, 1, 24)), date_fault::hour);
  EXPECT_EQ(check_calendar(at(2010, 1, 1, 0, 60)), date_fault::minute);
  EXPECT_EQ(check_calendar(at(2010, 1, 1, 0, 0, 60)), date_fault::second);
  EXPECT_FALSE(to_ticks(at(2010, 2, 30)));
}

TEST(TickTime, CalendarRoundTrip) {
  for (const calendar_time c : {at(1601, 1, 1), at(1999, 12, 31, 23, 59, 59), at(2000, 2, 29, 12),
                                at(2024, 3, 31, 2, 30), at(30827, 12, 31, 23, 59, 59)}) {
    const calendar_time back = from_ticks(*to_ticks(c));
    EXPECT_EQ(std::tie(back.year, back.month, back.day, back.hour, back.minute, back.second),
              std::tie(c.year, c.month, c.day, c.hour, c.minute, c.second));
  }
  // Every day of four centuries, so no month or leap rule goes untried.
  tick_time t = *to_ticks(at(1900, 1, 1));
  for (int i = 0; i < 146'097; ++i, t += days{1}) {
    const calendar_time c = from_ticks(t);
    ASSERT_EQ(to_ticks(c), t) << c.year << '-' << c.month << '-' << c.day;
  }
}

TEST(TickTime, ShiftNeverWraps) {
  const tick_time t = *to_ticks(at(2010, 9, 10, 13, 40));
  EXPECT_EQ(shift_ticks(t, hours{-2}), *to_ticks(at(2010, 9, 10, 11, 40)));
  EXPECT_EQ(shift_ticks(t, hours{24}), *to_ticks(at(2010, 9, 11, 13, 40)));
  EXPECT_EQ(shift_ticks(tick_time{ticks{0}}, ticks{0}), tick_time{ticks{0}});
  EXPECT_FALSE(shift_ticks(tick_time{ticks{0}}, ticks{-1}));
  EXPECT_FALSE(shift_ticks(t, ticks::min()));
  EXPECT_EQ(shift_ticks(max_tick_time, ticks{0}), max_tick_time);
  EXPECT_FALSE(shift_ticks(max_tick_time, ticks{1}));
  EXPECT_FALSE(shift_ticks(t, ticks::max()));
}

TEST(TickTime, FormatsUtc) {
  EXPECT_EQ(format_utc(*to_ticks(at(2010, 9, 10, 14, 40))), "2010-09-10 14:40:00 UTC");
  EXPECT_EQ(format_utc(*to_ticks(at(1601, 1, 1, 0, 0, 5))), "1601-01-01 00:00:05 UTC");
  EXPECT_EQ(format_utc(*to_ticks(at(30827, 12, 31, 23, 59, 59))), "30827-12-31 23:59:59 UTC");
  // Fractions to the nanosecond, without trailing zeros.
  const tick_time t = *to_ticks(at(2010, 9, 10, 14, 40));
  EXPECT_EQ(format_utc(t + ticks{7'890'000}), "2010-09-10 14:40:00.789 UTC");
  EXPECT_EQ(format_utc(file_time{t + ticks{1}, 23}), "2010-09-10 14:40:00.000000123 UTC");
}

// FAT holds nothing before 1980, and ext4 with small inodes and XFS
// without bigtime hold 32-bit seconds: nothing from 2038-01-19 03:14:08 on.
// Only times inside both go without a read-back.
TEST(TickTime, CommonlyHeldIsWhatEveryCommonFileSystemHolds) {
  const tick_time last_32_bit_second = unix_epoch + seconds{INT32_MAX};
  EXPECT_TRUE(commonly_held(last_32_bit_second));
  EXPECT_FALSE(commonly_held(last_32_bit_second + seconds{1}));
  EXPECT_FALSE(commonly_held(*to_ticks(at(2050, 1, 1))));
  EXPECT_FALSE(commonly_held(*to_ticks(at(1979, 12, 31, 23, 59, 59))));
  EXPECT_TRUE(commonly_held(*to_ticks(at(1980, 1, 1))));
  EXPECT_TRUE(commonly_held(*to_ticks(at(2010, 9, 10, 13, 40))));
}

// A zone one hour east of UTC that keeps summer time (two hours) from
// 2010-03-28 01:00 UTC to 2010-10-31 01:00 UTC, like Central Europe.
std::optional<seconds> central_europe_2010(seconds unix_time) {
  constexpr seconds summer_starts{1'269'738'000};  // 2010-03-28 01:00 UTC
  constexpr seconds summer_ends{1'288'486'800};    // 2010-10-31 01:00 UTC
  return unix_time >= summer_starts && unix_time < summer_ends ? hours{2} : hours{1};
}

std::optional<seconds> no_zone(seconds) {
  return std::nullopt;
}

TEST(TickTime, LocalTimeFollowsSummerTime) {
  const auto local = [](calendar_time c) { return local_to_ticks(c, central_europe_2010); };
  EXPECT_EQ(local(at(2010, 1, 15, 12)), to_ticks(at(2010, 1, 15, 11)));
  EXPECT_EQ(local(at(2010, 7, 15, 12)), to_ticks(at(2010, 7, 15, 10)));
  // Either side of the spring change.
  EXPECT_EQ(local(at(2010, 3, 28, 1, 59)), to_ticks(at(2010, 3, 28, 0, 59)));
  EXPECT_EQ(local(at(2010, 3, 28, 3, 0)), to_ticks(at(2010, 3, 28, 1, 0)));
  // In the spring gap: 02:30 never shows; it reads as 03:30 summer time.
  EXPECT_EQ(local(at(2010, 3, 28, 2, 30)), to_ticks(at(2010, 3, 28, 1, 30)));
  // In the autumn overlap: 02:30 shows twice; the earlier moment wins.
  EXPECT_EQ(local(at(2010, 10, 31, 2, 30)), to_ticks(at(2010, 10, 31, 0, 30)));
  EXPECT_EQ(local(at(2010, 10, 31, 3, 0)), to_ticks(at(2010, 10, 31, 2, 0)));
  EXPECT_FALSE(local(at(2010, 2, 30)));
  EXPECT_FALSE(local_to_ticks(at(2010, 1, 1), no_zone));
}

// London is at UTC in winter only: a winter run must not take it for UTC.
TEST(TickTime, AZoneIsUtcOnlyIfItIsAllYear) {
  const auto london = [](seconds unix_time) -> std::optional<seconds> {
    return central_europe_2010(unix_time) == hours{2} ? hours{1} : hours{0};
  };
  const auto utc = [](seconds) -> std::optional<seconds> { return seconds{0}; };
  const seconds january =
      std::chrono::duration_cast<seconds>(*to_ticks(at(2010, 1, 15)) - unix_epoch);
  EXPECT_FALSE(zone_is_utc(london, january));
  EXPECT_TRUE(zone_is_utc(utc, january));
  EXPECT_FALSE(zone_is_utc(no_zone, january));
  EXPECT_FALSE(zone_is_utc(central_europe_2010, january));
}

}  // namespace

namespace {

TEST(TickTime, HowFarApartTwoTimesAre) {
  const file_time noon{*to_ticks({2010, 9, 10, 12, 0, 0}), 0};
  const auto later = [&](ticks by, int ns = 0) { return file_time{noon.tick + by, ns}; };
  EXPECT_EQ(format_change(noon, noon), "already so");
  EXPECT_EQ(format_change(noon, later(std::chrono::hours{1})), "+1h");
  EXPECT_EQ(format_change(later(std::chrono::hours{2}), noon), "-2h");
  EXPECT_EQ(format_change(noon, later(std::chrono::hours{51} + std::chrono::minutes{4})),
            "+2d 3h 4m");
  EXPECT_EQ(format_change(noon, later(std::chrono::milliseconds{5500})), "+5.5s");
  EXPECT_EQ(format_change(noon, later(ticks{0}, 7)), "+0.000000007s");
  EXPECT_EQ(format_change({tick_origin, 0}, {max_tick_time, 99}).substr(0, 9), "+10675199");
}

}  // namespace
