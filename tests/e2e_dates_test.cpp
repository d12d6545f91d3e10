// Names that phones, cameras and apps write, stamped end to end with
// --auto, --date-only and --format, each time read back to the nanosecond.

#include <gtest/gtest.h>

#include "tool_runner.hpp"

namespace {

constexpr long long ms = 1'000'000;

struct named {
  std::string name;
  long long time;
};

TEST(Dates, AutoReadsWhatDevicesWrite) {
  scratch dir;
  const std::vector<named> dated = {
      {"IMG_20100910_134012.jpg", utc_ns(2010, 9, 10, 13, 40, 12)},
      {"PXL_20230101_123456789.jpg", utc_ns(2023, 1, 1, 12, 34, 56) + 789 * ms},
      {"20100910_134012.jpg", utc_ns(2010, 9, 10, 13, 40, 12)},
      {"VID_20200101_120000.mp4", utc_ns(2020, 1, 1, 12, 0, 0)},
      {"DJI_20210727151458_0015_Z.JPG", utc_ns(2021, 7, 27, 15, 14, 58)},
      {"Screenshot 2020-01-01 at 12.00.00.png", utc_ns(2020, 1, 1, 12, 0, 0)},
      {"Screenshot 2022-02-23 at 2.59.39 PM.png", utc_ns(2022, 2, 23, 14, 59, 39)},
      {"20220522_122802.881926-0400.m4a", utc_ns(2022, 5, 22, 16, 28, 2) + 881'926'000},
      {"2010-09-10 13.40.17-1.jpg", utc_ns(2010, 9, 10, 13, 40, 17)},
      // Nine digits: Linux keeps them all, Windows its 100 ns ticks.
      {"20100910_134012.123456789.mov",
       utc_ns(2010, 9, 10, 13, 40, 12) + (testing_windows_build() ? 123'456'700 : 123'456'789)},
  };
  const std::vector<std::string> undated = {"IMG-20100910-WA0001.jpg", "IMG_20100230_134012.jpg",
                                            "1920x1080.png", "DSC_0001.JPG"};
  for (const named& n : dated) make_file(dir.at(n.name));
  for (const std::string& name : undated) make_file(dir.at(name));
  const tool_result r = run_tool(dir.path, {"--auto"});
  EXPECT_EQ(r.status, 1);
  for (const named& n : dated) EXPECT_EQ(mtime_of(dir.at(n.name)), n.time) << n.name;
  for (const std::string& name : undated) {
    EXPECT_EQ(mtime_of(dir.at(name)), old_mtime) << name;
    EXPECT_TRUE(contains(r.err, "'./" + name + "'")) << r.err;
  }
  EXPECT_TRUE(contains(r.err, "'./IMG-20100910-WA0001.jpg': a date but no time")) << r.err;

  // --date-only gives the date alone its midnight; the rest stays as it was.
  const tool_result d = run_tool(dir.path, {"--auto", "--date-only", "jpg"});
  EXPECT_EQ(mtime_of(dir.at("IMG-20100910-WA0001.jpg")), utc_ns(2010, 9, 10, 0, 0));
  EXPECT_EQ(mtime_of(dir.at("IMG_20100230_134012.jpg")), old_mtime);
  EXPECT_EQ(d.status, 1);
}

TEST(Dates, ShiftAndZonesApplyAsTheySay) {
  scratch dir;
  make_file(dir.at("IMG_20100715_120000.jpg"));
  make_file(dir.at("20100715_120000+0000.m4a"));
  run_setup berlin;
  berlin.environment = {"TZ=Europe/Berlin"};
  const tool_result r = run_tool(dir.path, {"--auto", "--local", "+1"}, berlin);
  EXPECT_EQ(r.status, 0) << r.err;
  // Local summer time, two hours east, then the shift.
  EXPECT_EQ(mtime_of(dir.at("IMG_20100715_120000.jpg")), utc_ns(2010, 7, 15, 11, 0));
  // The name's own offset wins over --local; the shift still applies.
  EXPECT_EQ(mtime_of(dir.at("20100715_120000+0000.m4a")), utc_ns(2010, 7, 15, 13, 0));
}

TEST(Dates, FormatReadsTheStatedShape) {
  scratch dir;
  make_file(dir.at("10.09.2010 13-40.jpg"));
  make_file(dir.at("rec 22-05-22 01h28 PM.wav"));
  make_file(dir.at("notes 2010.jpg"));
  tool_result r = run_tool(dir.path, {"--format", "%d.%m.%Y %H-%M", "jpg"});
  EXPECT_EQ(mtime_of(dir.at("10.09.2010 13-40.jpg")), utc_ns(2010, 9, 10, 13, 40));
  EXPECT_TRUE(contains(r.err, "'./notes 2010.jpg': the name does not match")) << r.err;
  EXPECT_EQ(mtime_of(dir.at("notes 2010.jpg")), old_mtime);
  r = run_tool(dir.path, {"--format=rec %y-%m-%d %Ih%M %p", "wav"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(mtime_of(dir.at("rec 22-05-22 01h28 PM.wav")), utc_ns(2022, 5, 22, 13, 28));
  // A pattern without a time, or one that is malformed, touches nothing.
  for (const std::string pattern : {"%d.%m.%Y", "%d.%m.%Y %H-%M%", "%d.%m.%Y %H-%Q"}) {
    const folder_state before = snapshot(dir.path);
    r = run_tool(dir.path, {"--format", pattern});
    EXPECT_EQ(r.status, 2) << pattern;
    expect_only_stamped(before, snapshot(dir.path), {});
  }
  EXPECT_EQ(run_tool(dir.path, {"--auto", "--format", "%Y%m%d%H%M"}).status, 2);
}

TEST(Dates, TheBaseGrammarReadsAsBefore) {
  scratch dir;
  make_file(dir.at("2010-9-1 7.5.jpg"));
  make_file(dir.at("2010-09-10 13.40.17.jpg"));
  make_file(dir.at("IMG_20100910_134012.jpg"));
  const tool_result r = run_tool(dir.path, {"jpg"});
  EXPECT_EQ(mtime_of(dir.at("2010-9-1 7.5.jpg")), utc_ns(2010, 9, 1, 7, 5));
  EXPECT_EQ(mtime_of(dir.at("2010-09-10 13.40.17.jpg")), utc_ns(2010, 9, 10, 13, 40));
  EXPECT_EQ(mtime_of(dir.at("IMG_20100910_134012.jpg")), old_mtime);
  EXPECT_EQ(r.status, 1);
}

}  // namespace

namespace {

// Each shape in its zone, the zone named by --tz, and a word where UTC may
// be a trap.
TEST(Dates, TheZoneOfEveryShapeAndTheWordOnUtc) {
  scratch dir;
  make_file(dir.at("IMG_20100910_134012.jpg"));
  make_file(dir.at("PXL_20100910_134012000.jpg"));
  run_setup berlin;
  berlin.environment = {"TZ=Europe/Berlin"};
  tool_result r = run_tool(dir.path, {"--auto"}, berlin);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(contains(r.err, "names were read as UTC, though this computer's zone is not UTC"))
      << r.err;
  EXPECT_EQ(mtime_of(dir.at("IMG_20100910_134012.jpg")), utc_ns(2010, 9, 10, 13, 40, 12));
  r = run_tool(dir.path, {"--auto", "--utc"}, berlin);
  EXPECT_EQ(r.err, lines({"velmora: 2 files stamped (names read as UTC)"}));
  r = run_tool(dir.path, {"--auto", "--tz", "+05:30"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(mtime_of(dir.at("IMG_20100910_134012.jpg")), utc_ns(2010, 9, 10, 8, 10, 12));
  EXPECT_EQ(mtime_of(dir.at("PXL_20100910_134012000.jpg")), utc_ns(2010, 9, 10, 13, 40, 12));
  const tool_result unknown = run_tool(dir.path, {"--auto", "--tz", "Europe/Berln"});
  EXPECT_EQ(unknown.status, 2);
  if (testing_windows_build()) {
    EXPECT_TRUE(contains(run_tool(dir.path, {"--tz", "Asia/Tokyo"}).err, "fixed offset"));
    return;
  }
  r = run_tool(dir.path, {"--auto", "--tz", "Asia/Tokyo"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(mtime_of(dir.at("IMG_20100910_134012.jpg")), utc_ns(2010, 9, 10, 4, 40, 12));
  EXPECT_EQ(mtime_of(dir.at("PXL_20100910_134012000.jpg")), utc_ns(2010, 9, 10, 13, 40, 12));
}

}  // namespace
