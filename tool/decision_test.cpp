#include "tool/decision.hpp"

#include <gtest/gtest.h>

namespace {

using std::chrono::hours;
using std::chrono::seconds;

std::optional<seconds> two_hours_east(seconds) {
  return hours{2};
}

const tick_time photo = *to_ticks({2010, 9, 10, 13, 40, 0});

stamp_decision decide(std::optional<std::string_view> text, const run_options& o = {}) {
  return decide_time(text, o, two_hours_east);
}

TEST(Decision, ReadsShiftsAndPlaces) {
  EXPECT_EQ(decide("2010-09-10 13.40").time, (file_time{photo, 0}));
  run_options o;
  o.shift = hours{-2};
  EXPECT_EQ(decide("2010-09-10 13.40", o).time->tick, photo - hours{2});
  o.local = true;
  EXPECT_EQ(decide("2010-09-10 13.40", o).time->tick, photo - hours{4});
}

TEST(Decision, RefusesWithTheReason) {
  const stamp_decision no_text = decide(std::nullopt);
  EXPECT_FALSE(no_text.time);
  EXPECT_EQ(no_text.what, cannot_read);
  EXPECT_EQ(no_text.why, "the front cut is longer than the name");

  const stamp_decision bad_day = decide("2010-02-30 13.40");
  EXPECT_EQ(bad_day.what, cannot_read);
  EXPECT_EQ(bad_day.why, "that day does not exist in that month");
  EXPECT_FALSE(bad_day.read);  // no cut, nothing to show

  run_options cut;
  cut.front_cut = 4;
  EXPECT_EQ(decide("x", cut).read, "x");

  run_options early;
  early.shift = hours{-1};
  const stamp_decision before_1601 = decide("1601-01-01 00.30", early);
  EXPECT_EQ(before_1601.what, cannot_set);
  EXPECT_NE(before_1601.why.find("1601"), std::string::npos);
}

}  // namespace
