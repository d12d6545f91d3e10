#include "names/clock_parts.hpp"

#include <gtest/gtest.h>

namespace {

using std::chrono::minutes;

std::optional<utc_offset_text> offset_in(std::string_view text, std::size_t expected_end) {
  std::size_t at = 0;
  const std::optional<utc_offset_text> read = read_utc_offset(text, at);
  EXPECT_EQ(at, read ? expected_end : 0) << text;
  return read;
}

TEST(ClockParts, OneReaderOfOffsets) {
  EXPECT_EQ(offset_in("Z", 1)->offset, minutes{0});
  EXPECT_FALSE(offset_in("Zoe", 0));  // a word, not UTC
  EXPECT_EQ(offset_in("+0530", 5)->offset, minutes{330});
  EXPECT_EQ(offset_in("-04:00.m4a", 6)->offset, minutes{-240});
  EXPECT_FALSE(offset_in("+4", 0));
  EXPECT_FALSE(offset_in("+04:", 0));
  EXPECT_FALSE(offset_in("+2460", 5)->in_range);
}

TEST(ClockParts, OneTwelveHourRule) {
  calendar_time t{2022, 2, 23, 12, 0, 0, 0};
  EXPECT_TRUE(from_12_hour(t, false));
  EXPECT_EQ(t.hour, 0);  // 12 AM is midnight
  t.hour = 12;
  EXPECT_TRUE(from_12_hour(t, true));
  EXPECT_EQ(t.hour, 12);
  t.hour = 2;
  EXPECT_TRUE(from_12_hour(t, true));
  EXPECT_EQ(t.hour, 14);
  for (const int wrong : {0, 13}) {
    t.hour = wrong;
    EXPECT_FALSE(from_12_hour(t, true)) << wrong;
  }
}

}  // namespace
