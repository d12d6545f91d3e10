// What a new user trips over: typos, runs that select nothing, cuts in
// names that are not ASCII, another folder, an unknown zone, a closed pipe.

#include <gtest/gtest.h>

#include <filesystem>

#include "tool_runner.hpp"

namespace {

const long long photo_time = utc_ns(2010, 9, 10, 13, 40);
const std::string photo = "2010-09-10 13.40.jpg";

TEST(FirstSteps, TyposAreUsageErrorsThatTouchNothing) {
  scratch dir;
  make_file(dir.at(photo));
  const folder_state before = snapshot(dir.path);
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"-n"},
                                             {"-v"},
                                             {"-help"},
                                             {"+5.5"},
                                             {"+1h", "jpg"},
                                             {"+"},
                                             {"-"},
                                             {"+0x10"},
                                             {"}4x", "jpg"},
                                             {"}4.9", "jpg"},
                                             {"{x"},
                                             {"--", "--x"},
                                             {"--directory"}}) {
    const tool_result r = run_tool(dir.path, args);
    EXPECT_EQ(r.status, 2) << args[0];
    EXPECT_EQ(r.out, "") << args[0];
    const std::string& typo = args[args[0] == "--" ? 1 : 0];
    EXPECT_TRUE(contains(r.err, "'" + typo + "'")) << r.err;
  }
  expect_only_stamped(before, snapshot(dir.path), {});
  // The numbers that always worked still do.
  for (const std::string shift : {"+3", "-2", "-0", "+007"}) {
    const tool_result r = run_tool(dir.path, {shift, "jpg"});
    EXPECT_EQ(r.status, 0) << shift << r.err;
  }
  EXPECT_EQ(run_tool(dir.path, {"--", "-2", "jpg"}).status, 0);
  EXPECT_EQ(mtime_of(dir.at(photo)), photo_time - 2 * 3'600'000'000'000LL);
}

TEST(FirstSteps, AnEmptySelectionIsSaid) {
  scratch dir;
  make_file(dir.at(photo));
  make_file(dir.at("2011-01-01 10.00.jpg"));
  std::filesystem::create_directory(dir.at("Photos"));
  const folder_state before = snapshot(dir.path);
  struct expectation {
    std::vector<std::string> args;
    std::string says;
  };
  for (const expectation& e :
       std::vector<expectation>{{{"png"}, "velmora: no file in '.' has the extension 'png'"},
                                // velmora *.jpg, as the shell passes it
                                {{photo, "2011-01-01 10.00.jpg"}, "run 'velmora jpg'"},
                                {{"JPG"}, "the folder has names ending in '.jpg'"},
                                {{"}4"}, "name the extensions too, as in 'velmora }4 jpg'"},
                                {{"Photos"}, "run 'velmora --directory Photos'"}}) {
    const tool_result r = run_tool(dir.path, e.args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(count_lines(r.err), 1) << r.err;
    EXPECT_TRUE(contains(r.err, e.says)) << r.err;
  }
  expect_only_stamped(before, snapshot(dir.path), {});
}

TEST(FirstSteps, RefusalsAreSummedUpAndShowWhatTheCutLeft) {
  scratch dir;
  make_file(dir.at("IMG_" + photo));
  make_file(dir.at("IMG_x.jpg"));
  make_file(dir.at("IMG_2010-02-30 13.40.jpg"));
  const tool_result r = run_tool(dir.path, {"}4", "jpg"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(count_lines(r.out), 3);
  EXPECT_TRUE(contains(r.err, "cannot read a date from './IMG_x.jpg' (read 'x'): no date"))
      << r.err;
  EXPECT_TRUE(contains(r.err, "(read '2010-02-30 13.40'): that day does not exist")) << r.err;
  // The summary comes last.
  const std::string summary = "2 of 3 selected files were left alone (2 no date)";
  EXPECT_TRUE(r.err.ends_with(summary + (testing_windows_build() ? "\r\n" : "\n"))) << r.err;
  EXPECT_EQ(mtime_of(dir.at("IMG_" + photo)), photo_time);
  // A dry run sums up what a real run would leave alone.
  const tool_result dry = run_tool(dir.path, {"}4", "--dry-run", "jpg"});
  EXPECT_TRUE(contains(dry.err, summary)) << dry.err;
}

TEST(FirstSteps, CutsCountCharactersNotBytes) {
  if (testing_windows_build()) GTEST_SKIP() << "names are in the ANSI code page there";
  scratch dir;
  const std::string name = "Фото_" + photo;  // five characters, nine bytes
  make_file(dir.at(name));
  const tool_result r = run_tool(dir.path, {"}5", "jpg"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(mtime_of(dir.at(name)), photo_time);
}

TEST(FirstSteps, DirectoryRunsThereAsIfStartedThere) {
  scratch dir;
  std::filesystem::create_directories(dir.at("My Photos/2010"));
  make_file(dir.at("My Photos/" + photo));
  make_file(dir.at("My Photos/2010/" + photo));
  make_file(dir.at(photo));
  const tool_result r = run_tool(dir.path, {"--directory", "My Photos", "--recursive", "jpg"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(sorted_lines(r.out), (std::vector<std::string>{"Setting timestamp:\t./" + photo,
                                                           "Setting timestamp:\t./2010/" + photo}));
  EXPECT_EQ(mtime_of(dir.at("My Photos/2010/" + photo)), photo_time);
  EXPECT_EQ(mtime_of(dir.at(photo)), old_mtime);  // the folder it was started in
  const tool_result missing = run_tool(dir.path, {"--directory=Nowhere"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_TRUE(contains(missing.err, "velmora: cannot enter 'Nowhere': ")) << missing.err;
  EXPECT_EQ(mtime_of(dir.at(photo)), old_mtime);
}

TEST(FirstSteps, AnUnknownZoneIsAUsageError) {
  if (testing_windows_build()) GTEST_SKIP() << "Windows takes its zone from its settings";
  scratch dir;
  make_file(dir.at(photo));
  run_setup typo;
  typo.environment = {"TZ=Europe/Berln"};
  const tool_result r = run_tool(dir.path, {"--local"}, typo);
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(contains(r.err, "TZ 'Europe/Berln' names no time zone")) << r.err;
  EXPECT_EQ(mtime_of(dir.at(photo)), old_mtime);
  // A rule that needs no zone file is a zone.
  run_setup rule;
  rule.environment = {"TZ=CET-1CEST,M3.5.0,M10.5.0/3"};
  EXPECT_EQ(run_tool(dir.path, {"--local"}, rule).status, 0);
  EXPECT_EQ(mtime_of(dir.at(photo)), photo_time - 2 * 3'600'000'000'000LL);
}

TEST(FirstSteps, AClosedPipeStopsTheRunWithAMessage) {
  if (testing_windows_build()) GTEST_SKIP() << "no SIGPIPE there";
  scratch dir;
  for (const char* name : {"2010-09-10 13.40.jpg", "2011-09-10 13.40.jpg", "2012-09-10 13.40.jpg"})
    make_file(dir.at(name));
  const folder_state before = snapshot(dir.path);
  run_setup setup;
  setup.broken_pipe = true;
  const tool_result r = run_tool(dir.path, {}, setup);
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(contains(r.err, "velmora: cannot write to standard output: Broken pipe\n")) << r.err;
  // Nothing could be announced, so nothing was stamped.
  expect_only_stamped(before, snapshot(dir.path), {});
}

}  // namespace
