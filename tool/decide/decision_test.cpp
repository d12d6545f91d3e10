#include "decide/decision.hpp"

#include <gtest/gtest.h>

namespace {

using std::chrono::hours;
using std::chrono::minutes;
using std::chrono::seconds;

std::optional<seconds> two_hours_east(seconds) {
  return hours{2};
}

const tick_time photo = *to_ticks({2010, 9, 10, 13, 40, 0});

stamp_decision decide(std::optional<std::string_view> text, const time_rule& o = {}) {
  return decide_time(text, o, two_hours_east);
}

TEST(Decision, ReadsShiftsAndPlaces) {
  EXPECT_EQ(decide("2010-09-10 13.40").time, (file_time{photo, 0}));
  time_rule o;
  o.shift = hours{-2};
  EXPECT_EQ(decide("2010-09-10 13.40", o).time->tick, photo - hours{2});
  o.local = true;
  EXPECT_EQ(decide("2010-09-10 13.40", o).time->tick, photo - hours{4});
}

TEST(Decision, RefusesWithTheReason) {
  const stamp_decision no_text = decide(std::nullopt);
  EXPECT_FALSE(no_text.time);
  EXPECT_EQ(no_text.refused, refusal::no_date);
  EXPECT_EQ(no_text.why, "the front cut is longer than the name");

  const stamp_decision bad_day = decide("2010-02-30 13.40");
  EXPECT_EQ(bad_day.refused, refusal::no_date);
  EXPECT_EQ(bad_day.why, "that day does not exist in that month");
  EXPECT_FALSE(bad_day.read);  // no cut, nothing to show

  time_rule cut;
  cut.show_read = true;
  EXPECT_EQ(decide("x", cut).read, "x");

  time_rule early;
  early.shift = hours{-1};
  const stamp_decision before_1601 = decide("1601-01-01 00.30", early);
  EXPECT_EQ(before_1601.refused, refusal::out_of_range);
  EXPECT_NE(before_1601.why.find("1601"), std::string::npos);
}

TEST(Decision, AutoDateOnlyAndOffsets) {
  time_rule o;
  o.auto_date = true;
  EXPECT_EQ(decide("IMG_20100910_134000", o).time, (file_time{photo, 0}));
  // Nine digits of fraction: the ticks, and the nanoseconds below them.
  EXPECT_EQ(decide("20100910_134000.123456789", o).time, (file_time{photo + ticks{1'234'567}, 89}));
  // An offset names one instant: --local does not apply, the shift does.
  o.local = true;
  o.shift = hours{1};
  EXPECT_EQ(decide("20100910_154000+0200", o).time->tick, photo + hours{1});
  // A date alone is left alone, or stamped at midnight with --date-only.
  const stamp_decision alone = decide("IMG-20100910-WA0001", o);
  EXPECT_FALSE(alone.time);
  EXPECT_NE(alone.why.find("--date-only"), std::string::npos);
  o.date_only = true;
  o.shift = {};
  EXPECT_EQ(decide("IMG-20100910-WA0001", o).time->tick,
            photo - hours{13} - minutes{40} - hours{2});
  // The base grammar with --date-only, in UTC.
  time_rule base;
  base.date_only = true;
  EXPECT_EQ(decide("2010-09-10 party", base).time->tick, photo - hours{13} - minutes{40});
  EXPECT_EQ(decide("2010-09-10 13.40", base).time->tick, photo);
}

TEST(Decision, NeverMidnightWhereATimeWasNotRead) {
  time_rule rule;
  rule.auto_date = true;
  rule.date_only = true;
  for (const char* name : {"Bildschirmfoto 2021-03-04 um 12h34m56s", "IMG 2021-03-04 12h34",
                           "2021-03-04 kl 12:34 z"}) {
    const stamp_decision d = decide(name, rule);
    EXPECT_FALSE(d.time) << name;
    EXPECT_EQ(d.why.find("--date-only"), std::string::npos) << d.why;
  }
  EXPECT_TRUE(decide("IMG-20100910-WA0001", rule).time);  // a counter is no time
  // Nor are the digits of an id in hex (Snapchat's export).
  EXPECT_TRUE(decide("2016-11-09_46f2d99b-7ef6-477f-aea2-971c97214593-main", rule).time);
  time_rule base;
  base.date_only = true;
  EXPECT_FALSE(decide("2021-03-04 um 12.34.56", base).time);
  EXPECT_TRUE(decide("2021-03-04 party", base).time);
}

TEST(Decision, EachShapeInItsZone) {
  time_rule rule;
  rule.auto_date = true;
  rule.local = true;
  // Pixel names are UTC, and a name with an offset is one instant: --local moves neither.
  EXPECT_EQ(decide("PXL_20100910_134000000", rule).time->tick, photo);
  EXPECT_EQ(decide("PXL_20100910_134000000", rule).basis, zone_basis::utc_shape);
  EXPECT_EQ(decide("GMT20100910-134000_Recording_1920x1080", rule).time->tick, photo);  // Zoom
  EXPECT_EQ(decide("IMG_20100910_134000", rule).time->tick, photo - hours{2});
  rule.local = false;
  rule.fixed_offset = minutes{330};
  EXPECT_EQ(decide("IMG_20100910_134000", rule).time->tick, photo - minutes{330});
  EXPECT_EQ(decide("IMG_20100910_134000", rule).basis, zone_basis::fixed);
  time_rule plain;
  plain.auto_date = true;
  EXPECT_EQ(decide("IMG_20100910_134000", plain).basis, zone_basis::utc_by_default);
  rule.latest_year = 2020;
  EXPECT_FALSE(decide("mmexport1614861296000", rule).time);  // 2021, after the latest year
  rule.latest_year = 2022;
  EXPECT_EQ(decide("mmexport1614861296000", rule).basis, zone_basis::instant);
}

}  // namespace
