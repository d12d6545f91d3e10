#include "names/date_pattern.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

namespace {

date_pattern compiled(std::string_view text, bool date_only = false) {
  std::string error;
  const std::optional<date_pattern> p = compile_pattern(text, date_only, error);
  EXPECT_TRUE(p) << text << ": " << error;
  return p ? *p : date_pattern{};
}

std::string compile_error(std::string_view text, bool date_only = false) {
  std::string error;
  return compile_pattern(text, date_only, error) ? "" : error;
}

calendar_time read(std::string_view pattern, std::string_view text, bool date_only = false) {
  const date_reading r = read_with_pattern(text, compiled(pattern, date_only));
  EXPECT_EQ(r.fault, date_fault::none) << pattern << " on " << text;
  return r.time;
}

TEST(DatePattern, ReadsWhatItSays) {
  const calendar_time t = read("%d.%m.%Y %H-%M", "10.09.2010 13-40 party");
  EXPECT_EQ(t.year, 2010);
  EXPECT_EQ(t.month, 9);
  EXPECT_EQ(t.day, 10);
  EXPECT_EQ(t.hour, 13);
  EXPECT_EQ(t.minute, 40);
  EXPECT_EQ(read("%y%m%d", "690101", true).year, 1969);  // as POSIX says
  EXPECT_EQ(read("%y%m%d", "680101", true).year, 2068);
  EXPECT_EQ(read("rec %Y%m%d %I%M%p", "rec 20100910 1240AM").hour, 0);
  EXPECT_EQ(read("rec %Y%m%d %I%M%p", "rec 20100910 0140pm").hour, 13);
  EXPECT_EQ(read("%Y%m%d%H%M%S.%f", "20100910134012.5").nanosecond, 500'000'000);
  EXPECT_EQ(read("%Y%m%d%H%M%S%f", "20100910134012123456789").nanosecond, 123'456'789);
  EXPECT_EQ(read("100%% %Y%m%d %H%M", "100% 20100910 1340").month, 9);
  const date_reading zoned = read_with_pattern("20100910 1340+0200", compiled("%Y%m%d %H%M%z"));
  EXPECT_EQ(zoned.offset, std::chrono::minutes{120});
}

TEST(DatePattern, StarIsAsShortAsItCanBe) {
  // The first date after some text, not the last.
  EXPECT_EQ(read("*_%Y%m%d_%H%M", "IMG_20100910_1340_20110101_0000").year, 2010);
  EXPECT_EQ(read("*%Y-%m-%d %H.%M", "Trip 2010-09-10 13.40").day, 10);
  // Many stars on a long name cost little.
  const std::string name = std::string(240, 'x') + "2010-09-10";
  const date_reading r = read_with_pattern(name, compiled("*x*x*x*x*x*x*x*%Y-%m-%d %H", true));
  EXPECT_EQ(r.fault, date_fault::no_match);
}

// As strptime: a field of two digits takes one where no digit follows it;
// fields run together still take two each.
TEST(DatePattern, OneDigitWhereNoDigitFollows) {
  const date_reading booth = read_with_pattern("Photo on 1-31-17 at 9.14 AM #2",
                                               compiled("Photo on %m-%d-%y at %I.%M %p"));
  EXPECT_EQ(booth.fault, date_fault::none);
  EXPECT_EQ(booth.time.month, 1);
  EXPECT_EQ(booth.time.hour, 9);
  EXPECT_EQ(read_with_pattern("2010-09-1 13.40", compiled("%Y-%m-%d %H.%M")).time.day, 1);
  const date_pattern together = compiled("%Y%m%d_%H%M");
  EXPECT_EQ(read_with_pattern("20100910_1340", together).time.month, 9);
  EXPECT_NE(read_with_pattern("2010910_1340", together).fault, date_fault::none);  // month 91
  // %y takes two digits, never one: a year of one digit at the end is no
  // match (and nothing is read past the name).
  EXPECT_EQ(read_with_pattern("1-31-7", compiled("%m-%d-%y", true)).fault, date_fault::no_match);
  EXPECT_EQ(read_with_pattern("1-31-17", compiled("%m-%d-%y", true)).time.year, 2017);
}

TEST(DatePattern, RefusesWhatItCannotRead) {
  const date_pattern p = compiled("%Y-%m-%d %H.%M");
  EXPECT_EQ(read_with_pattern("2010-02-30 13.40", p).fault, date_fault::day);
  EXPECT_EQ(read_with_pattern("x2010-09-10 13.40", p).fault, date_fault::no_match);
  EXPECT_EQ(read_with_pattern("20100910 1340AM", compiled("%Y%m%d %I%M%p")).fault,
            date_fault::hour);
}

TEST(DatePattern, MalformedPatternsAreUsageErrors) {
  EXPECT_NE(compile_error("%Y-%m-%d %H.%q"), "");
  EXPECT_NE(compile_error("%Y-%m-%d %H.%M%"), "");
  EXPECT_NE(compile_error("%Y-%m %H.%M"), "");  // no day
  EXPECT_NE(compile_error("%Y-%m-%d"), "");     // no time, and no --date-only
  EXPECT_EQ(compile_error("%Y-%m-%d", true), "");
  EXPECT_NE(compile_error("%Y-%m-%d %I.%M"), "");     // %I without %p
  EXPECT_NE(compile_error("%Y-%m-%d %H.%M %p"), "");  // %p without %I
}

TEST(DatePattern, AnyPatternUpToItsBoundIsQuick) {
  std::string error;
  EXPECT_FALSE(compile_pattern(std::string(30'000, '*') + "%Y%m%d%H%M", false, error));
  EXPECT_NE(error.find("longer than 4096"), std::string::npos) << error;
  const std::optional<date_pattern> stars =
      compile_pattern(std::string(4000, '*') + "%Y%m%d%H%M", false, error);
  ASSERT_TRUE(stars) << error;
  EXPECT_EQ(stars->size(), 6u);  // the stars are one
  // The worst: as many items as the bound allows, on a name of 255 bytes.
  std::string worst = "%Y%m%d%H%M";
  while (worst.size() + 2 <= longest_pattern) worst += "*x";
  const std::optional<date_pattern> pattern = compile_pattern(worst, false, error);
  ASSERT_TRUE(pattern) << error;
  const std::string name = "201009101340" + std::string(243, 'x');
  // It asks for more x than the name holds, which only the whole work finds.
  // The quickest of ten: the work itself, not a moment the test was
  // preempted (the suite runs many tests at once).
  auto each = std::chrono::steady_clock::duration::max();
  for (int i = 0; i < 10; ++i) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(read_with_pattern(name, *pattern).fault, date_fault::no_match);
    each = std::min(each, std::chrono::steady_clock::now() - start);
  }
  // Well under a millisecond in an optimised build (about 50 µs here); the
  // sanitizers' builds, and Windows under Wine, are not timed.
#if defined(NDEBUG) && !defined(_WIN32)
  EXPECT_LT(each, std::chrono::microseconds{500}) << each.count() << " ns";
#else
  static_cast<void>(each);
#endif
}

}  // namespace
