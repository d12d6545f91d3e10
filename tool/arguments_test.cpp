#include "tool/arguments.hpp"

#include <gtest/gtest.h>

#include "tool/tick_time.hpp"

namespace {

parsed_command parse(std::vector<std::string_view> arguments) {
  return read_arguments(arguments);
}

run_options options_of(std::vector<std::string_view> arguments) {
  const parsed_command parsed = parse(std::move(arguments));
  EXPECT_EQ(parsed.what, command::run) << parsed.error;
  return parsed.options;
}

TEST(Arguments, HourShiftReadsLikeAtoi) {
  EXPECT_EQ(options_of({"+3"}).shift, 3 * ticks_per_hour);
  EXPECT_EQ(options_of({"-2"}).shift, -2 * ticks_per_hour);
  EXPECT_EQ(options_of({"+1"}).shift, 36'000'000'000);
  EXPECT_EQ(options_of({"+5x"}).shift, 5 * ticks_per_hour);
  for (std::string_view zero : {"-", "+", "+x", "-0", "+-5"}) {
    const run_options o = options_of({zero});
    EXPECT_TRUE(o.shift_given) << zero;
    EXPECT_EQ(o.shift, 0) << zero;
  }
  EXPECT_FALSE(options_of({"jpg"}).shift_given);
  EXPECT_EQ(options_of({"+1", "+2"}).shift, 2 * ticks_per_hour);  // the last one holds
}

TEST(Arguments, HourShiftMustFitInTicks) {
  // max_shift_hours is 256204778.
  EXPECT_EQ(options_of({"+256204778"}).shift, max_shift_hours * ticks_per_hour);
  EXPECT_EQ(options_of({"-256204778"}).shift, -max_shift_hours * ticks_per_hour);
  for (const std::string wrong : {"+256204779", "-256204779", "+99999999999999999999999999"}) {
    const parsed_command parsed = parse({wrong});
    EXPECT_EQ(parsed.what, command::usage_error) << wrong;
    EXPECT_NE(parsed.error.find(wrong), std::string::npos) << parsed.error;
  }
}

TEST(Arguments, Cuts) {
  const run_options o = options_of({"}4", "{5", "jpg"});
  EXPECT_EQ(o.front_cut, 4);
  EXPECT_EQ(o.back_cut, 5);
  EXPECT_EQ(options_of({"}"}).front_cut, 0);
  EXPECT_EQ(options_of({"}x"}).front_cut, 0);
  EXPECT_EQ(options_of({"{-3"}).back_cut, -3);
  EXPECT_EQ(options_of({"}1", "}2"}).front_cut, 2);
  EXPECT_EQ(parse({"}-2"}).what, command::usage_error);
  EXPECT_EQ(parse({"}99999999999"}).what, command::usage_error);
  EXPECT_EQ(parse({"{-99999999999"}).what, command::usage_error);
}

TEST(Arguments, EveryWordStaysForTheFilter) {
  const run_options o = options_of({"+1", "}4", "{5", "jpg", ""});
  EXPECT_EQ(o.words, (std::vector<std::string>{"+1", "}4", "{5", "jpg", ""}));
}

TEST(Arguments, HelpIsNoShift) {
  EXPECT_EQ(parse({"--help"}).what, command::help);
  EXPECT_EQ(parse({"-h"}).what, command::help);
  EXPECT_EQ(parse({"+1", "jpg", "-h"}).what, command::help);
  EXPECT_EQ(parse({"--version"}).what, command::version);
  const parsed_command unknown = parse({"--frobnicate", "jpg"});
  EXPECT_EQ(unknown.what, command::usage_error);
  EXPECT_NE(unknown.error.find("--frobnicate"), std::string::npos);
  EXPECT_EQ(parse({"-help"}).what, command::run);  // one dash: a zero shift, as it always was
}

TEST(Arguments, LongOptionsAreNoWords) {
  const run_options o = options_of({"--dry-run", "+1", "--local", "--seconds", "--recursive"});
  EXPECT_TRUE(o.dry_run && o.local && o.seconds && o.recursive);
  EXPECT_EQ(o.words, std::vector<std::string>{"+1"});
  EXPECT_TRUE(options_of({"--seconds"}).words.empty());
}

TEST(Arguments, DoubleDashEndsLongOptions) {
  const run_options o = options_of({"--dry-run", "--", "--local", "-h"});
  EXPECT_TRUE(o.dry_run);
  EXPECT_FALSE(o.local);
  EXPECT_EQ(o.words, (std::vector<std::string>{"--local", "-h"}));
  EXPECT_TRUE(o.shift_given);
}

}  // namespace
