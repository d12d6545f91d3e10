#include "metadata/capture_time.hpp"

#include <gtest/gtest.h>

#include <map>

namespace {

std::optional<capture_time> found_in(metadata_kind kind,
                                     const std::map<std::string, std::string>& tags) {
  return find_capture_time(kind, [&tags](std::string_view key) -> std::optional<std::string> {
    const auto found = tags.find(std::string(key));
    return found == tags.end() ? std::nullopt : std::optional<std::string>(found->second);
  });
}

TEST(CaptureTime, EachFormAsItIsWritten) {
  const std::optional<capture_time> exif = read_exif_date("2019:07:04 18:30:12", "123", "+02:00");
  ASSERT_TRUE(exif);
  EXPECT_EQ(exif->time.hour, 18);
  EXPECT_EQ(exif->time.nanosecond, 123'000'000);
  EXPECT_EQ(exif->offset, std::chrono::minutes{120});
  EXPECT_FALSE(read_exif_date("2019:07:04 18:30:12", "", "")->offset);
  const std::optional<capture_time> xmp = read_xmp_date("2019-07-04T18:30:12.5-04:00");
  ASSERT_TRUE(xmp);
  EXPECT_EQ(xmp->time.nanosecond, 500'000'000);
  EXPECT_EQ(xmp->offset, std::chrono::minutes{-240});
  EXPECT_EQ(read_xmp_date("2019-07-04T18:30")->time.minute, 30);
  // 3645109812 seconds after 1904 began: 2019-07-04 18:30:12 UTC.
  const std::optional<capture_time> header = movie_time(3645109812);
  ASSERT_TRUE(header);
  EXPECT_TRUE(header->utc);
  EXPECT_EQ(header->time.year, 2019);
  EXPECT_EQ(header->time.second, 12);
}

// Dates that say nothing are no date: never 1970, never 1904, never a guess.
TEST(CaptureTime, DatesThatSayNothingAreNone) {
  for (const std::string_view wrong :
       {"0000:00:00 00:00:00", "", "    :  :     :  :  ", "2019:02:30 10:00:00", "2019:07:04",
        "2019-07-04 18:30:12", "2019:07:04 25:00:00", "2019:07:04 18:30:12 junk"}) {
    EXPECT_FALSE(read_exif_date(wrong, "", "")) << wrong;
  }
  for (const std::string_view wrong : {"2019-07-04", "2019-07-04T18:30:12+2", "0000-00-00T00:00"}) {
    EXPECT_FALSE(read_xmp_date(wrong)) << wrong;
  }
  EXPECT_FALSE(movie_time(0));
}

// Apple's key carries the offset the phone was at; the header, UTC, is
// what is left where the key holds no date.
TEST(CaptureTime, AVideoByAppleKeyElseByItsHeader) {
  const std::optional<capture_time> apple = video_time("2019-07-04T18:30:12-0700", 3645109812);
  ASSERT_TRUE(apple);
  EXPECT_EQ(apple->tag, "QuickTime:CreationDate");
  EXPECT_FALSE(apple->utc);
  EXPECT_EQ(apple->offset, std::chrono::minutes{-420});
  EXPECT_EQ(video_time("0000-00-00T00:00:00+0000", 3645109812)->tag, "QuickTime:CreateDate");
  EXPECT_EQ(video_time(std::nullopt, 3645109812)->tag, "QuickTime:CreateDate");
  EXPECT_FALSE(video_time("", 0));
}

TEST(CaptureTime, TheTagsInTheOrderTheyAreTrusted) {
  const std::map<std::string, std::string> photo = {
      {"Exif.Image.DateTime", "2020:01:01 00:00:00"},  // ModifyDate: the last edit, never read
      {"Exif.Photo.DateTimeDigitized", "2019:07:04 18:30:13"},
      {"Exif.Photo.DateTimeOriginal", "2019:07:04 18:30:12"},
      {"Exif.Photo.OffsetTimeOriginal", "+02:00"}};
  const std::optional<capture_time> taken = found_in(metadata_kind::photo, photo);
  ASSERT_TRUE(taken);
  EXPECT_EQ(taken->tag, "Exif.Photo.DateTimeOriginal");
  EXPECT_EQ(taken->offset, std::chrono::minutes{120});
  EXPECT_EQ(found_in(metadata_kind::photo, {{"Exif.Image.DateTime", "2020:01:01 00:00:00"}}),
            std::nullopt);
  // A zeroed original falls to the digitized time, then to the XMP.
  const std::optional<capture_time> digitized =
      found_in(metadata_kind::photo, {{"Exif.Photo.DateTimeOriginal", "0000:00:00 00:00:00"},
                                      {"Exif.Photo.DateTimeDigitized", "2019:07:04 18:30:13"}});
  ASSERT_TRUE(digitized);
  EXPECT_EQ(digitized->tag, "Exif.Photo.DateTimeDigitized");
  EXPECT_EQ(found_in(metadata_kind::photo, {{"Xmp.xmp.CreateDate", "2019-07-04T18:30:12"}})->tag,
            "Xmp.xmp.CreateDate");
  EXPECT_EQ(found_in(metadata_kind::sidecar, {{"Xmp.photoshop.DateCreated", "2019-07-04T18:30"},
                                              {"Xmp.exif.DateTimeOriginal", "2019-07-04T18:31"}})
                ->time.minute,
            31);
}

}  // namespace
