// The long options end to end, alone and with the base grammar.

#include <filesystem>

#include <gtest/gtest.h>

#include "tool_runner.hpp"

namespace {

const long long photo_time = utc_ns(2010, 9, 10, 13, 40);
constexpr long long hour_ns = 3'600'000'000'000LL;

// A made file's old time as a dry run shows it: Windows keeps 100 ns ticks.
std::string old_time_shown() {
  return testing_windows_build() ? "2001-02-03 04:05:06.1234567 UTC"
                                 : "2001-02-03 04:05:06.123456789 UTC";
}

TEST(Options, DryRunChangesNothing) {
  scratch dir;
  make_file(dir.at("2010-09-10 13.40.jpg"));
  make_file(dir.at("2010-02-30 13.40.jpg"));
  make_file(dir.at("2010-09-10 13.40.txt"));
  const tool_result r = run_tool(dir.path, {"--dry-run", "+1", "jpg"});
  EXPECT_EQ(r.out,
            lines({"Would set timestamp:\t./2010-09-10 13.40.jpg\t2010-09-10 14:40:00 UTC\t" +
                   old_time_shown() + "\t+3506d 10h 34m 53.87654" +
                   (testing_windows_build() ? "33s" : "3211s")}));
  EXPECT_EQ(r.err,
            lines({"velmora: names are read as UTC (--local or --tz ZONE reads them in a zone)",
                   "velmora: cannot read a date from './2010-02-30 13.40.jpg': that day does not "
                   "exist in that month",
                   "velmora: 1 file would be stamped (names read as UTC); 1 of 2 selected files "
                   "were left alone (1 no date)"}));
  EXPECT_EQ(r.status, 1);
  for (const char* name :
       {"2010-09-10 13.40.jpg", "2010-02-30 13.40.jpg", "2010-09-10 13.40.txt"}) {
    EXPECT_EQ(mtime_of(dir.at(name)), old_mtime) << name;
    EXPECT_EQ(atime_of(dir.at(name)), old_atime) << name;
  }
}

TEST(Options, LongOptionsAreNoWords) {
  scratch dir;
  make_file(dir.at("2010-09-10 13.40.17.jpg"));
  make_file(dir.at("2010-09-10 13.40.17 (1).png"));
  // As a bare run: everything with an extension, here read with seconds.
  const tool_result r = run_tool(dir.path, {"--seconds"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(mtime_of(dir.at("2010-09-10 13.40.17.jpg")), photo_time + 17'000'000'000LL);
  EXPECT_EQ(mtime_of(dir.at("2010-09-10 13.40.17 (1).png")), photo_time + 17'000'000'000LL);
  // Without the option, seconds stay 0.
  run_tool(dir.path, {"png"});
  EXPECT_EQ(mtime_of(dir.at("2010-09-10 13.40.17 (1).png")), photo_time);
}

TEST(Options, DoubleDashEndsTheOptions) {
  scratch dir;
  make_file(dir.at("2010-09-10 13.40.--dry-run"));
  make_file(dir.at("2010-09-10 13.40.jpg"));
  // After it, a word with a dash is an hour shift, so it must be a number.
  tool_result r = run_tool(dir.path, {"--", "--dry-run"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("'--dry-run' is not a whole number of hours"), std::string::npos) << r.err;
  r = run_tool(dir.path, {"--", "-2", "jpg"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(mtime_of(dir.at("2010-09-10 13.40.jpg")), photo_time - 2 * hour_ns);
  EXPECT_EQ(mtime_of(dir.at("2010-09-10 13.40.--dry-run")), old_mtime);
}

// Central Europe leaves summer time on 2010-10-31 at 03:00 (01:00 UTC) and
// enters it on 2010-03-28 at 02:00 (01:00 UTC).
TEST(Options, LocalTimeAcrossSummerTime) {
  scratch dir;
  const std::vector<std::pair<std::string, long long>> cases = {
      {"2010-03-27 12.00.jpg", utc_ns(2010, 3, 27, 11, 0)},   // winter: UTC+1
      {"2010-03-28 12.00.jpg", utc_ns(2010, 3, 28, 10, 0)},   // summer: UTC+2
      {"2010-03-28 02.30.jpg", utc_ns(2010, 3, 28, 1, 30)},   // in the gap: as 03:30 summer time
      {"2010-10-31 02.30.jpg", utc_ns(2010, 10, 31, 0, 30)},  // twice: the earlier
      {"2010-10-31 12.00.jpg", utc_ns(2010, 10, 31, 11, 0)},
  };
  for (const auto& [name, expected] : cases) make_file(dir.at(name));
  run_setup berlin;
  berlin.environment = {"TZ=Europe/Berlin"};
  const tool_result r = run_tool(dir.path, {"--local", "-0"}, berlin);
  EXPECT_EQ(r.status, 0) << r.err;
  for (const auto& [name, expected] : cases) EXPECT_EQ(mtime_of(dir.at(name)), expected) << name;
  // The hour shift applies on top.
  run_tool(dir.path, {"--local", "+2", "jpg"}, berlin);
  EXPECT_EQ(mtime_of(dir.at("2010-03-27 12.00.jpg")), utc_ns(2010, 3, 27, 13, 0));
}

TEST(Options, RecursiveWalksSubfolders) {
  scratch dir;
  std::filesystem::create_directories(dir.at("2010/09"));
  std::filesystem::create_directories(dir.at("elsewhere"));
  make_file(dir.at("IMG_2010-09-10 13.40_edit.jpg"));
  make_file(dir.at("2010/09/IMG_2010-09-11 13.40_edit.jpg"));
  make_file(dir.at("2010/09/IMG_2010-09-12 13.40_edit.png"));
  make_file(dir.at("elsewhere/IMG_2010-09-13 13.40_edit.jpg"));
  std::filesystem::create_directory_symlink("../elsewhere",
                                            dir.at("2010/IMG_2010-09-14 13.40_link.jpg"));
  const tool_result r = run_tool(dir.path, {"--recursive", "}4", "{5", "jpg"});
  EXPECT_TRUE(contains(r.out, "Setting timestamp:\t./2010/09/IMG_2010-09-11 13.40_edit.jpg"))
      << r.out;
  EXPECT_EQ(mtime_of(dir.at("IMG_2010-09-10 13.40_edit.jpg")), photo_time);
  EXPECT_EQ(mtime_of(dir.at("2010/09/IMG_2010-09-11 13.40_edit.jpg")), photo_time + 24 * hour_ns);
  EXPECT_EQ(mtime_of(dir.at("elsewhere/IMG_2010-09-13 13.40_edit.jpg")), photo_time + 72 * hour_ns);
  EXPECT_EQ(mtime_of(dir.at("2010/09/IMG_2010-09-12 13.40_edit.png")), old_mtime);
  if (testing_windows_build()) return;  // Windows sees a POSIX link as a plain folder
  // The link to a folder is an entry like any other, never walked into.
  EXPECT_TRUE(contains(
      r.err, "cannot set the time of './2010/IMG_2010-09-14 13.40_link.jpg': it is a folder"))
      << r.err;
  EXPECT_FALSE(contains(r.out, "_link.jpg/"));
  EXPECT_EQ(r.status, 1);
}

TEST(Options, RecursiveReportsAFolderItCannotListAndGoesOn) {
  if (testing_windows_build()) GTEST_SKIP() << "POSIX permissions";
  scratch dir;
  std::filesystem::create_directories(dir.at("sealed"));
  std::filesystem::create_directories(dir.at("open"));
  make_file(dir.at("sealed/2010-09-10 13.40.jpg"));
  make_file(dir.at("open/2010-09-10 13.40.jpg"));
  give_to_nobody(dir.at("open/2010-09-10 13.40.jpg"));
  std::filesystem::permissions(dir.at("sealed"), std::filesystem::perms::none);
  const tool_result r = run_tool(dir.path, {"--recursive"}, unprivileged());
  std::filesystem::permissions(dir.at("sealed"), std::filesystem::perms::owner_all);
  EXPECT_EQ(r.err, "velmora: cannot list './sealed': Permission denied\n" + utc_note +
                       "\nvelmora: 1 file stamped (names read as UTC)\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(mtime_of(dir.at("open/2010-09-10 13.40.jpg")), photo_time);
  EXPECT_EQ(mtime_of(dir.at("sealed/2010-09-10 13.40.jpg")), old_mtime);
}

TEST(Options, DryRunWithEverything) {
  scratch dir;
  std::filesystem::create_directories(dir.at("2010"));
  make_file(dir.at("2010/2010-09-10 13.40.17.jpg"));
  run_setup berlin;
  berlin.environment = {"TZ=Europe/Berlin"};
  const tool_result r =
      run_tool(dir.path, {"--recursive", "--dry-run", "--local", "--seconds", "-1"}, berlin);
  EXPECT_EQ(r.out, lines({"Would set timestamp:\t./2010/2010-09-10 13.40.17.jpg\t"
                          "2010-09-10 10:40:17 UTC\t" +
                          old_time_shown() + "\t+3506d 6h 35m 10.87654" +
                          (testing_windows_build() ? "33s" : "3211s")}));
  set_mtime(dir.at("2010/2010-09-10 13.40.17.jpg"), utc_ns(2010, 9, 10, 10, 40, 17));
  const tool_result again =
      run_tool(dir.path, {"--recursive", "--dry-run", "--local", "--seconds", "-1"}, berlin);
  EXPECT_TRUE(contains(again.out, lines({"\t2010-09-10 10:40:17 UTC\talready so"}))) << again.out;
  set_mtime(dir.at("2010/2010-09-10 13.40.17.jpg"), old_mtime);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(mtime_of(dir.at("2010/2010-09-10 13.40.17.jpg")), old_mtime);
}

}  // namespace
