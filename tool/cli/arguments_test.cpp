#include "cli/arguments.hpp"

#include <gtest/gtest.h>

#include "decide/tick_time.hpp"
#include "names/quoting.hpp"

namespace {

parsed_command parse(std::vector<std::string_view> arguments) {
  return read_arguments(arguments);
}

typed_options options_of(std::vector<std::string_view> arguments) {
  const parsed_command parsed = parse(std::move(arguments));
  EXPECT_EQ(parsed.what, command::run) << parsed.error;
  return parsed.options;
}

TEST(Arguments, HourShiftIsAWholeNumber) {
  EXPECT_EQ(options_of({"+3"}).shift, ticks{std::chrono::hours{3}});
  EXPECT_EQ(options_of({"-2"}).shift, ticks{std::chrono::hours{-2}});
  EXPECT_EQ(options_of({"+1"}).shift.count(), 36'000'000'000);
  EXPECT_EQ(options_of({"+007"}).shift, ticks{std::chrono::hours{7}});
  const typed_options zero = options_of({"-0"});
  EXPECT_TRUE(zero.shift_given);
  EXPECT_EQ(zero.shift, ticks{0});
  EXPECT_FALSE(options_of({"jpg"}).shift_given);
  EXPECT_EQ(options_of({"+1", "+2"}).shift, ticks{std::chrono::hours{2}});  // the last one holds
  // Anything else that begins with a sign is a typo, named in the message,
  // never a zero or truncated shift.
  for (const std::string_view typo :
       {"-n", "-v", "-help", "+5.5", "+1h", "+", "-", "+0x10", "+-5", "- 5", "-5 ", "+x"}) {
    const parsed_command parsed = parse({typo, "jpg"});
    EXPECT_EQ(parsed.what, command::usage_error) << typo;
    EXPECT_NE(parsed.error.find(in_quotes(typo)), std::string::npos) << parsed.error;
  }
  EXPECT_NE(parse({"-n"}).error.find("--dry-run"), std::string::npos);
  EXPECT_NE(parse({"-help"}).error.find("did you mean --help?"), std::string::npos);
  EXPECT_NE(parse({"-recursive"}).error.find("did you mean --recursive?"), std::string::npos);
}

TEST(Arguments, HourShiftMustFitInTicks) {
  // max_shift_hours is 256204778.
  EXPECT_EQ(options_of({"+256204778"}).shift, ticks{std::chrono::hours{max_shift_hours}});
  EXPECT_EQ(options_of({"-256204778"}).shift, ticks{std::chrono::hours{-max_shift_hours}});
  for (const std::string wrong : {"+256204779", "-256204779", "+99999999999999999999999999"}) {
    const parsed_command parsed = parse({wrong});
    EXPECT_EQ(parsed.what, command::usage_error) << wrong;
    EXPECT_NE(parsed.error.find(wrong), std::string::npos) << parsed.error;
  }
}

// --shift: hours, minutes and seconds, in place of the hour shift word.
TEST(Arguments, ClockShiftTakesMinutesAndSeconds) {
  using namespace std::chrono;
  const typed_options back = options_of({"--shift", "-0:03:20", "jpg"});
  EXPECT_EQ(back.shift, -ticks{minutes{3} + seconds{20}});
  EXPECT_FALSE(back.shift_given);  // selection: no word is a shift
  EXPECT_EQ(back.words, std::vector<std::string>{"jpg"});
  EXPECT_EQ(options_of({"--shift=+1:30"}).shift, ticks{minutes{90}});
  EXPECT_EQ(options_of({"--shift", "2"}).shift, ticks{hours{2}});
  for (const std::string_view wrong :
       {"1:3", "1:60", "1:00:60", "1:00:00:00", "1:", "+", "-x", "1h", "0:05.5", "--1", " 1"}) {
    const parsed_command parsed = parse({"--shift", wrong});
    EXPECT_EQ(parsed.what, command::usage_error) << wrong;
    EXPECT_NE(parsed.error.find(in_quotes(wrong)), std::string::npos) << parsed.error;
  }
  EXPECT_NE(parse({"--shift", "256204778:00"}).error.find("out of range"), std::string::npos);
  EXPECT_NE(parse({"+1", "--shift", "0:05"}).error.find("give one of them"), std::string::npos);
}

TEST(Arguments, CutsAreWholeNumbers) {
  const typed_options o = options_of({"}4", "{5", "jpg"});
  EXPECT_EQ(o.front_cut, 4);
  EXPECT_EQ(o.back_cut, 5);
  EXPECT_EQ(options_of({"}0"}).front_cut, 0);
  EXPECT_EQ(options_of({"{-3"}).back_cut, -3);
  EXPECT_EQ(options_of({"}1", "}2"}).front_cut, 2);
  for (const std::string_view wrong :
       {"}4x", "}4.9", "{x", "}", "{", "} 4", "}-2", "}99999999999", "{-99999999999"}) {
    const parsed_command parsed = parse({wrong, "jpg"});
    EXPECT_EQ(parsed.what, command::usage_error) << wrong;
    EXPECT_NE(parsed.error.find(in_quotes(wrong)), std::string::npos) << parsed.error;
  }
}

TEST(Arguments, EveryWordStaysForTheFilter) {
  const typed_options o = options_of({"+1", "}4", "{5", "jpg", ""});
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
}

TEST(Arguments, LongOptionsAreNoWords) {
  const typed_options o = options_of({"--dry-run", "+1", "--local", "--seconds", "--recursive"});
  EXPECT_TRUE(o.dry_run && o.local && o.seconds && o.recursive);
  EXPECT_EQ(o.words, std::vector<std::string>{"+1"});
  EXPECT_TRUE(options_of({"--seconds"}).words.empty());
}

TEST(Arguments, DoubleDashEndsLongOptions) {
  const typed_options o = options_of({"--dry-run", "--", "-2", "jpg"});
  EXPECT_TRUE(o.dry_run);
  EXPECT_EQ(o.words, (std::vector<std::string>{"-2", "jpg"}));
  EXPECT_EQ(o.shift, ticks{std::chrono::hours{-2}});
  // After it a word with a dash is still an hour shift, never an option.
  for (const std::string_view after : {"--local", "-h", "--x"}) {
    EXPECT_EQ(parse({"--", after}).what, command::usage_error) << after;
  }
}

TEST(Arguments, WaysOfReadingDates) {
  EXPECT_TRUE(options_of({"--auto", "jpg"}).auto_date);
  const typed_options f = options_of({"--format", "%d.%m.%Y %H-%M", "jpg"});
  EXPECT_EQ(f.format, "%d.%m.%Y %H-%M");
  EXPECT_EQ(f.words, std::vector<std::string>{"jpg"});
  for (const auto& wrong : std::vector<std::vector<std::string_view>>{
           {"--auto", "--format", "%Y%m%d%H%M"}, {"--format"}}) {
    EXPECT_EQ(parse(wrong).what, command::usage_error) << wrong[0];
  }
}

TEST(Arguments, DirectoryTakesAValue) {
  EXPECT_EQ(options_of({"--directory", "Photos", "jpg"}).directory, "Photos");
  EXPECT_EQ(options_of({"--directory=My Photos"}).directory, "My Photos");
  // Its value is no word, even one that looks like a shift.
  const typed_options o = options_of({"--directory", "-2", "jpg"});
  EXPECT_EQ(o.directory, "-2");
  EXPECT_EQ(o.words, std::vector<std::string>{"jpg"});
  for (const auto& missing : std::vector<std::vector<std::string_view>>{
           {"--directory"}, {"--directory="}, {"jpg", "--directory", ""}}) {
    EXPECT_EQ(parse(missing).what, command::usage_error);
  }
  EXPECT_EQ(parse({"--directoryx"}).what, command::usage_error);
}

}  // namespace

namespace {

TEST(Arguments, UndoTakesOnlyWhatMeansSomethingWithIt) {
  EXPECT_EQ(options_of({"--undo", "J", "--dry-run"}).undo_file, "J");
  // Its journal may be left out: the default one.
  for (const std::vector<std::string_view>& alone : std::vector<std::vector<std::string_view>>{
           {"--undo"}, {"--undo", "--dry-run"}, {"--dry-run", "--undo"}, {"--undo", "--list"}}) {
    const typed_options o = options_of(alone);
    EXPECT_TRUE(o.undo);
    EXPECT_EQ(o.undo_file, "");
  }
  EXPECT_EQ(options_of({"--undo=J"}).undo_file, "J");
  EXPECT_EQ(parse({"--list"}).what, command::usage_error);
  EXPECT_EQ(parse({"--journal", "J", "--no-journal"}).what, command::usage_error);
  for (const std::vector<std::string_view>& wrong :
       std::vector<std::vector<std::string_view>>{{"--undo", "J", "--jobs", "4"},
                                                  {"--undo", "J", "--verbose"},
                                                  {"--undo", "J", "--created"},
                                                  {"--undo=J", "--local"},
                                                  {"--undo", "J", "jpg"}}) {
    const parsed_command parsed = parse(wrong);
    EXPECT_EQ(parsed.what, command::usage_error) << wrong[2];
    EXPECT_NE(parsed.error.find("--undo"), std::string::npos) << parsed.error;
  }
}

}  // namespace

namespace {

TEST(Arguments, AutocorrectedDashesAndMisspeltOptionsAreUsageErrorsThatHelp) {
  const parsed_command dash =
      parse({"\xE2\x80\x94"
             "dry-run",
             "jpg"});
  EXPECT_EQ(dash.what, command::usage_error);
  EXPECT_NE(dash.error.find("did you mean '--dry-run'?"), std::string::npos) << dash.error;
  const parsed_command typo = parse({"--recursiv"});
  EXPECT_NE(typo.error.find("(did you mean --recursive?)"), std::string::npos) << typo.error;
  // After --, no word is an option: the dash is an extension's.
  EXPECT_EQ(parse({"--", "\xE2\x80\x94x"}).what, command::run);
}

}  // namespace
