#include "names/date_auto.hpp"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// "Y-M-D h:m:s.fraction offset" of a reading, or the fault's phrase.
std::string found(std::string_view text) {
  const date_reading r = find_date_time(text);
  if (r.fault != date_fault::none) return std::string(describe(r.fault));
  const calendar_time& t = r.time;
  char out[80];
  std::snprintf(out, sizeof out, "%04d-%02d-%02d %02d:%02d:%02d.%09d", t.year, t.month, t.day,
                t.hour, t.minute, t.second, t.nanosecond);
  std::string s = out;
  if (r.offset) s.append(" ").append(std::to_string(r.offset->count())).append("m");
  return s;
}

TEST(DateAuto, TheShapesThatDevicesWrite) {
  EXPECT_EQ(found("IMG_20100910_134012"), "2010-09-10 13:40:12.000000000");
  EXPECT_EQ(found("PXL_20230101_123456789"), "2023-01-01 12:34:56.789000000");
  EXPECT_EQ(found("PXL_20230101_123456789.MP"), "2023-01-01 12:34:56.789000000");
  EXPECT_EQ(found("20100910_134012"), "2010-09-10 13:40:12.000000000");
  EXPECT_EQ(found("VID_20200101_120000"), "2020-01-01 12:00:00.000000000");
  EXPECT_EQ(found("DJI_20210727151458_0015_Z"), "2021-07-27 15:14:58.000000000");
  EXPECT_EQ(found("Screenshot 2020-01-01 at 12.00.00"), "2020-01-01 12:00:00.000000000");
  EXPECT_EQ(found("Screenshot 2022-02-23 at 2.59.39 PM"), "2022-02-23 14:59:39.000000000");
  EXPECT_EQ(found("Screenshot 2022-02-23 at 12.05.00\xE2\x80\xAF"
                  "AM"),
            "2022-02-23 00:05:00.000000000");
  EXPECT_EQ(found("Screenshot 2022-02-23 at 12.05.00pm"), "2022-02-23 12:05:00.000000000");
  EXPECT_EQ(found("WhatsApp Image 2021-03-04 at 10.15.22"), "2021-03-04 10:15:22.000000000");
  EXPECT_EQ(found("signal-2021-03-04-101522"), "2021-03-04 10:15:22.000000000");
  EXPECT_EQ(found("photo_2021-03-04_10-15-22"), "2021-03-04 10:15:22.000000000");
  EXPECT_EQ(found("2021.03.04 10_15"), "2021-03-04 10:15:00.000000000");
  EXPECT_EQ(found("20220522_122802.881926-0400"), "2022-05-22 12:28:02.881926000 -240m");
  EXPECT_EQ(found("2020-01-01T12:00:00Z"), "2020-01-01 12:00:00.000000000 0m");
  EXPECT_EQ(found("2020-01-01T12:00:00+05:30"), "2020-01-01 12:00:00.000000000 330m");
  // The base shape, seconds included; '-1' is a collision suffix, no offset.
  EXPECT_EQ(found("2010-09-10 13.40.17-1"), "2010-09-10 13:40:17.000000000");
  EXPECT_EQ(found("2010-09-10 13.40 party"), "2010-09-10 13:40:00.000000000");
}

TEST(DateAuto, NeverGuesses) {
  const std::string none(describe(date_fault::no_shape));
  for (const char* text : {"1920x1080", "DSC_0001", "IMG_2010091_134012", "2010-09_10 13.40",
                           "2010-09-10 13.401", "120100910_134012", "2010-09-10", "notes"}) {
    EXPECT_NE(found(text).substr(0, 2), "20") << text;
  }
  EXPECT_EQ(found("DSC_0001"), none);
  // A date with no time, or a counter after it, is a date and no time.
  const std::string no_time(describe(date_fault::no_time));
  EXPECT_EQ(found("IMG-20100910-WA0001"), no_time);
  EXPECT_EQ(found("2010-09-10"), no_time);
  EXPECT_EQ(find_date_time("IMG-20100910-WA0001").time.day, 10);
  // The calendar is checked, never mended.
  EXPECT_EQ(found("IMG_20100230_134012"), describe(date_fault::day));
  EXPECT_EQ(found("IMG_20100910_246000"), describe(date_fault::hour));
  EXPECT_EQ(found("2022-02-23 at 13.00.00 PM"), describe(date_fault::hour));
  EXPECT_EQ(found("20220522_122802+2500"), describe(date_fault::offset));
  // The first date-time counts; a date alone before it does not.
  EXPECT_EQ(found("2009-01-01 copy of 20100910_134012"), "2010-09-10 13:40:12.000000000");
  EXPECT_EQ(found("20100910_134012 20110101_000000"), "2010-09-10 13:40:12.000000000");
}

TEST(DateAuto, TwelveHourMarksInEveryFormAreReadOrRefused) {
  const std::string pm = "2021-03-04 14:34:56.000000000";
  for (const char* name :
       {"Screenshot 2021-03-04 at 2.34.56\u00a0PM", "Screenshot 2021-03-04 at 2.34.56  PM",
        "Screenshot 2021-03-04 at 2.34.56_PM", "Screenshot 2021-03-04 at 2.34.56 p.m.",
        "Screenshot 2021-03-04 at 2.34.56\u2009pm", "屏幕快照 2021-03-04 下午2.34.56",
        "スクリーンショット 2021-03-04 午後2.34.56", "스크린샷 2021-03-04 오후 2.34.56",
        "2021-03-04 2.34.56 下午"}) {
    EXPECT_EQ(found(name), pm) << name;
  }
  EXPECT_EQ(found("2021-03-04 上午12.34.56"), "2021-03-04 00:34:56.000000000");
  // A mark that stands there in a form not read: never a 24-hour guess.
  EXPECT_EQ(found("Screenshot 2021-03-04 at 2.34.56-PM"), describe(date_fault::day_half));
}

TEST(DateAuto, AShortWordInAnyLanguageJoinsADateToADottedTime) {
  for (const char* name :
       {"Bildschirmfoto 2021-03-04 um 12.34.56",
        "Capture d\u2019\u00e9cran 2021-03-04 \u00e0 12.34.56",
        "Schermafbeelding 2021-03-04 om 12.34.56", "Captura de pantalla 2021-03-04 a las 12.34.56",
        "Sk\u00e4rmavbild 2021-03-04 kl. 12.34.56"}) {
    EXPECT_EQ(found(name), "2021-03-04 12:34:56.000000000") << name;
  }
  EXPECT_EQ(found("Screen Recording 2022-02-23 at 2.59.39 PM"), "2022-02-23 14:59:39.000000000");
  EXPECT_EQ(found("2021-03-04 party 12.34.56"), describe(date_fault::no_time));  // five letters
  EXPECT_EQ(found("2021-03-04 um 12-34-56"), describe(date_fault::no_time));     // not dotted
}

TEST(DateAuto, OffsetsAndFractionsInEveryFormWritten) {
  EXPECT_EQ(found("2021-03-04T12:34:56+05"), "2021-03-04 12:34:56.000000000 300m");
  EXPECT_EQ(found("2021-03-04 12.34.56 -0400"), "2021-03-04 12:34:56.000000000 -240m");
  EXPECT_EQ(found("2010-09-10 13.40.17-12"), "2010-09-10 13:40:17.000000000");  // a counter
  EXPECT_EQ(found("Screenshot_2020-01-01-12-00-00-123_com.android.chrome"),
            "2020-01-01 12:00:00.123000000");
  EXPECT_EQ(found("2010-09-10 13.40.17-123"), "2010-09-10 13:40:17.000000000");
}

TEST(DateAuto, EpochMillisecondsBehindTheirPrefixesOnly) {
  for (const char* name :
       {"mmexport1614861296000", "wx_camera_1614861296000", "FB_IMG_1614861296123"}) {
    const date_reading r = find_date_time(name);
    EXPECT_EQ(r.fault, date_fault::none) << name;
    EXPECT_TRUE(r.epoch);
    EXPECT_EQ(r.offset, std::chrono::minutes{0});
    EXPECT_EQ(r.time.hour, 12);
    EXPECT_EQ(r.time.minute, 34);
  }
  EXPECT_EQ(found("FB_IMG_1614861296123").substr(0, 23), "2021-03-04 12:34:56.123");
  EXPECT_FALSE(find_date_time("1614861296000").epoch);
  EXPECT_NE(find_date_time("mmexport0914861296000").fault, date_fault::none);  // 1998
}

TEST(DateAuto, TelegramDesktopDayFirstBehindItsPrefixOnly) {
  EXPECT_EQ(found("photo_1@03-07-2022_03-37-57"), "2022-07-03 03:37:57.000000000");
  EXPECT_EQ(found("video_12@31-12-2021_23-59-00"), "2021-12-31 23:59:00.000000000");
  EXPECT_EQ(find_date_time("photo_1@31-02-2022_03-37-57").fault, date_fault::day);
  EXPECT_EQ(find_date_time("@03-07-2022_03-37-57").fault, date_fault::no_shape);
  EXPECT_EQ(find_date_time("photo_@03-07-2022_03-37-57").fault, date_fault::no_shape);
  EXPECT_EQ(find_date_time("photo_1@03-07-2022_03-37-579").fault, date_fault::no_shape);
}

TEST(DateAuto, PixelNamesAreUtc) {
  EXPECT_TRUE(find_date_time("PXL_20230101_123456789").utc_shape);
  EXPECT_FALSE(find_date_time("IMG_20230101_123456").utc_shape);
}

}  // namespace
