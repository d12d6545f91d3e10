#include "names/date_text.hpp"

#include <gtest/gtest.h>

namespace {

// "Y-M-D h:m:s" of a reading, or the fault's name, for compact expectations.
std::string read(std::string_view text, bool with_seconds = false) {
  const date_reading r = read_date_text(text, with_seconds);
  if (r.fault != date_fault::none) return std::string(describe(r.fault));
  const calendar_time& t = r.time;
  return std::to_string(t.year) + "-" + std::to_string(t.month) + "-" + std::to_string(t.day) +
         " " + std::to_string(t.hour) + ":" + std::to_string(t.minute) + ":" +
         std::to_string(t.second);
}

const std::string no_date(describe(date_fault::no_date));

TEST(DateText, ReadsLikeScanf) {
  EXPECT_EQ(read("2010-09-10 13.40"), "2010-9-10 13:40:0");
  EXPECT_EQ(read("2010-9-1 7.5"), "2010-9-1 7:5:0");
  EXPECT_EQ(read("2010-09-10\t13.40"), "2010-9-10 13:40:0");
  EXPECT_EQ(read("2010-09-10   13.40"), "2010-9-10 13:40:0");
  EXPECT_EQ(read("2010-09-10+13.40"), "2010-9-10 13:40:0");  // the blank may match nothing
  EXPECT_EQ(read(" 2010-09-10 13.40"), "2010-9-10 13:40:0");
  EXPECT_EQ(read("2010-09-10 13.40 party"), "2010-9-10 13:40:0");
  EXPECT_EQ(read("2010-09-10 13.40.17"), "2010-9-10 13:40:0");
  EXPECT_EQ(read("2010-+09-10 13. 40"), "2010-9-10 13:40:0");  // signs and blanks before numbers
}

TEST(DateText, NeedsAllFiveNumbersAndTheLiterals) {
  EXPECT_EQ(read(""), no_date);
  EXPECT_EQ(read("notes"), no_date);
  EXPECT_EQ(read("2010-09-10_13.40"), no_date);
  EXPECT_EQ(read("2010-09-10 13-40"), no_date);
  EXPECT_EQ(read("2010 -09-10 13.40"), no_date);  // a literal does not skip blanks
  EXPECT_EQ(read("2010-09-10 13."), no_date);
  EXPECT_EQ(read("2010-09-10 13.+"), no_date);
}

TEST(DateText, NumbersNeverWrap) {
  // In 16 bits, 67546 would wrap to 2010 and -1 to 65535.
  EXPECT_EQ(read("67546-09-10 13.40"), describe(date_fault::year));
  EXPECT_EQ(read("2010--1-10 13.40"), describe(date_fault::month));
  EXPECT_EQ(read("2010-09-10 13.000000000000000000000000000040"), "2010-9-10 13:40:0");
  EXPECT_EQ(read("2010-09-10 13.999999999999999999999999999999"), describe(date_fault::minute));
  EXPECT_EQ(read("-999999999999999999999999999999-09-10 13.40"), describe(date_fault::year));
  EXPECT_EQ(read("2010-02-30 13.40"), describe(date_fault::day));
  EXPECT_EQ(read("2010-09-10 24.00"), describe(date_fault::hour));
}

TEST(DateText, SecondsWhenAsked) {
  EXPECT_EQ(read("2010-09-10 13.40.17", true), "2010-9-10 13:40:17");
  EXPECT_EQ(read("2010-09-10 13.40.17 (1)", true), "2010-9-10 13:40:17");
  EXPECT_EQ(read("2010-09-10 13.40", true), "2010-9-10 13:40:0");
  EXPECT_EQ(read("2010-09-10 13.40 party", true), "2010-9-10 13:40:0");
  EXPECT_EQ(read("2010-09-10 13.40.final", true), "2010-9-10 13:40:0");
  EXPECT_EQ(read("2010-09-10 13.40.60", true), describe(date_fault::second));
  EXPECT_EQ(read("2010-09-10 13.40.7", true), describe(date_fault::second));
  EXPECT_EQ(read("2010-09-10 13.40.170", true), describe(date_fault::second));
}

}  // namespace
