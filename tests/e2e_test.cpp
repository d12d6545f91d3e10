// The built tool, run in fresh folders: what it prints, its exit status,
// and the times it leaves behind.

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "tool_runner.hpp"

namespace {

const long long photo_time = utc_ns(2010, 9, 10, 13, 40);
constexpr long long hour_ns = 3'600'000'000'000LL;

std::string announce(const std::string& path) {
  return "Setting timestamp:\t" + path;
}

void expect_untouched(const std::string& path) {
  EXPECT_EQ(mtime_of(path), old_mtime) << path;
  EXPECT_EQ(atime_of(path), old_atime) << path;
}

TEST(EndToEnd, TypicalRun) {
  scratch dir;
  make_file(dir.at("2010-09-10 13.40.jpg"), "the photo");
  make_file(dir.at("notes.txt"));
  make_file(dir.at("Velmora.exe"));
  const tool_result r = run_tool(dir.path, {"+1", "jpg"});
  EXPECT_EQ(r.out, lines({announce("./2010-09-10 13.40.jpg")}));
  EXPECT_EQ(r.err, lines({utc_note, "velmora: 1 file stamped (names read as UTC)"}));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(mtime_of(dir.at("2010-09-10 13.40.jpg")), photo_time + hour_ns);
  // Only the last-modified time changes: not the access time, not the data.
  EXPECT_EQ(atime_of(dir.at("2010-09-10 13.40.jpg")), old_atime);
  EXPECT_EQ(std::filesystem::file_size(dir.at("2010-09-10 13.40.jpg")), 9u);
  expect_untouched(dir.at("notes.txt"));
  expect_untouched(dir.at("Velmora.exe"));
}

TEST(EndToEnd, NoArgumentsStampsEveryDatedName) {
  scratch dir;
  make_file(dir.at("2010-09-10 13.40.jpg"));
  make_file(dir.at("2011-1-2 3.4 party.mp4"));
  make_file(dir.at("README"));
  make_file(dir.at("velmora.exe"));  // not the tool: its case differs
  const tool_result r = run_tool(dir.path, {});
  EXPECT_EQ(sorted_lines(r.out), (std::vector<std::string>{announce("./2010-09-10 13.40.jpg"),
                                                           announce("./2011-1-2 3.4 party.mp4"),
                                                           announce("./velmora.exe")}));
  EXPECT_EQ(mtime_of(dir.at("2010-09-10 13.40.jpg")), photo_time);
  EXPECT_EQ(mtime_of(dir.at("2011-1-2 3.4 party.mp4")), utc_ns(2011, 1, 2, 3, 4));
  expect_untouched(dir.at("README"));
  expect_untouched(dir.at("velmora.exe"));
  EXPECT_NE(r.err.find("cannot read a date from './velmora.exe'"), std::string::npos) << r.err;
  EXPECT_EQ(r.status, 1);
}

TEST(EndToEnd, LoneShiftSelectsEverything) {
  for (const auto& [shift, hours] : {std::pair{"-5", -5}, {"-0", 0}, {"+25", 25}}) {
    scratch dir;
    make_file(dir.at("2010-09-10 13.40.jpg"));
    make_file(dir.at("2010-09-10 13.40.txt"));
    const tool_result r = run_tool(dir.path, {shift});
    EXPECT_EQ(r.status, 0) << shift << r.err;
    EXPECT_EQ(count_lines(r.out), 2) << shift;
    EXPECT_EQ(mtime_of(dir.at("2010-09-10 13.40.jpg")), photo_time + hours * hour_ns) << shift;
    EXPECT_EQ(mtime_of(dir.at("2010-09-10 13.40.txt")), photo_time + hours * hour_ns) << shift;
  }
}

TEST(EndToEnd, ExtensionFilter) {
  scratch dir;
  make_file(dir.at("2010-09-10 13.40.jpg"));
  make_file(dir.at("2010-09-10 13.40.JPG"));
  make_file(dir.at("2010-09-10 13.40.+2"));
  // One word that is no shift: it filters, exactly and case-sensitively.
  tool_result r = run_tool(dir.path, {"jpg"});
  EXPECT_EQ(r.out, lines({announce("./2010-09-10 13.40.jpg")}));
  expect_untouched(dir.at("2010-09-10 13.40.JPG"));
  // A lone cut is a word too: an ordinary folder yields nothing.
  r = run_tool(dir.path, {"}3"});
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.status, 0);
  // Two shifts: the filter applies, with the shifts as extensions; the last shift holds.
  r = run_tool(dir.path, {"+1", "+2"});
  EXPECT_EQ(r.out, lines({announce("./2010-09-10 13.40.+2")}));
  EXPECT_EQ(mtime_of(dir.at("2010-09-10 13.40.+2")), photo_time + 2 * hour_ns);
  expect_untouched(dir.at("2010-09-10 13.40.JPG"));
}

TEST(EndToEnd, CutsFindTheDateInsideAName) {
  scratch dir;
  make_file(dir.at("IMG_2010-09-10 13.40_edit.jpg"));
  make_file(dir.at("IMG.jpg"));
  const tool_result r = run_tool(dir.path, {"}4", "{5", "jpg"});
  EXPECT_EQ(mtime_of(dir.at("IMG_2010-09-10 13.40_edit.jpg")), photo_time);
  // A front cut past the end of a stem leaves no date: reported, untouched.
  expect_untouched(dir.at("IMG.jpg"));
  EXPECT_NE(r.err.find("cannot read a date from './IMG.jpg': the front cut"), std::string::npos)
      << r.err;
  EXPECT_EQ(r.status, 1);
}

TEST(EndToEnd, UnreadableDatesLeaveFilesAlone) {
  scratch dir;
  const std::vector<std::string> wrong = {"2010-02-30 10.00.jpg", "67546-09-10 13.40.jpg",
                                          "2010-09-10_13.40.jpg", "2010-09-10 24.00.jpg",
                                          "2010-09-10 13.4000000000000000000000000.jpg"};
  for (const std::string& name : wrong) make_file(dir.at(name));
  make_file(dir.at("2010-09-10 13.40.jpg"));
  const tool_result r = run_tool(dir.path, {"jpg"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(count_lines(r.out), 6);  // every selected file is announced
  // One each, the summary, and that --auto reads '2010-09-10_13.40'.
  EXPECT_EQ(count_lines(r.err), 8) << r.err;  // and the zone first
  EXPECT_NE(r.err.find("velmora: 1 file stamped (names read as UTC); 5 of 6 selected files were "
                       "left alone (5 no "
                       "date)"),
            std::string::npos)
      << r.err;
  for (const std::string& name : wrong) {
    expect_untouched(dir.at(name));
    EXPECT_NE(r.err.find("velmora: cannot read a date from './" + name + "': "), std::string::npos)
        << name << "\n"
        << r.err;
  }
  EXPECT_EQ(mtime_of(dir.at("2010-09-10 13.40.jpg")), photo_time);
}

TEST(EndToEnd, ShiftedTimesNeverWrap) {
  scratch dir;
  make_file(dir.at("1601-01-01 00.30.jpg"));
  const tool_result r = run_tool(dir.path, {"-1"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("cannot set the time of './1601-01-01 00.30.jpg'"), std::string::npos);
  expect_untouched(dir.at("1601-01-01 00.30.jpg"));
}

TEST(EndToEnd, FoldersAreNeverStamped) {
  scratch dir;
  std::filesystem::create_directory(dir.at("2010-09-10 13.40.jpg"));
  const long long before = mtime_of(dir.at("2010-09-10 13.40.jpg"));
  const tool_result r = run_tool(dir.path, {});
  EXPECT_EQ(r.out, lines({announce("./2010-09-10 13.40.jpg")}));
  EXPECT_NE(r.err.find("cannot set the time of './2010-09-10 13.40.jpg': it is a folder"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(mtime_of(dir.at("2010-09-10 13.40.jpg")), before);
}

TEST(EndToEnd, UsageErrorsTouchNothing) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"+256204779"},
                                             {"-99999999999999999999999"},
                                             {"}-2", "jpg"},
                                             {"--frobnicate"},
                                             {"jpg", "--dry-run", "--bogus"}}) {
    scratch dir;
    make_file(dir.at("2010-09-10 13.40.jpg"));
    const tool_result r = run_tool(dir.path, args);
    EXPECT_EQ(r.status, 2) << args[0];
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("velmora: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("--help"), std::string::npos) << r.err;
    expect_untouched(dir.at("2010-09-10 13.40.jpg"));
  }
}

TEST(EndToEnd, HelpAndVersionTouchNothing) {
  scratch dir;
  make_file(dir.at("2010-09-10 13.40.jpg"));
  for (const char* help : {"--help", "-h"}) {
    const tool_result r = run_tool(dir.path, {help});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("Usage: velmora", 0), 0u) << r.out;
    EXPECT_EQ(r.err, "");
  }
  const tool_result v = run_tool(dir.path, {"--version"});
  EXPECT_EQ(v.status, 0);
  EXPECT_EQ(v.out, lines({"velmora 1.0.0"}));
  expect_untouched(dir.at("2010-09-10 13.40.jpg"));
}

TEST(EndToEnd, UnlistableFolderFails) {
  if (testing_windows_build()) GTEST_SKIP() << "POSIX permissions";
  scratch dir;
  const std::string sealed = dir.at("sealed");
  std::filesystem::create_directory(sealed);
  make_file(sealed + "/2010-09-10 13.40.jpg");
  chmod(sealed.c_str(), 0333);  // may be entered, not read
  const tool_result r = run_tool(sealed, {}, unprivileged());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("velmora: cannot list '.': Permission denied"), std::string::npos) << r.err;
  expect_untouched(sealed + "/2010-09-10 13.40.jpg");
}

}  // namespace
