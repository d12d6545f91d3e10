// --exif on files the tests make with Debian's tools (ffmpeg, exiftool,
// heif-enc, exiv2): every time read back to the second or its fraction,
// every file's data and last-access time as they were.

#include <gtest/gtest.h>

#include <filesystem>

#include "tool_runner.hpp"

namespace {

const std::string original = "2019:07:04 18:30:12";
const long long taken = utc_ns(2019, 7, 4, 18, 30, 12);
const long long hour = 3'600'000'000'000LL;

#define NEEDS_MEDIA_TOOLS()                                                                   \
  if (const std::string missing = missing_tools({"ffmpeg", "exiftool", "heif-enc", "exiv2"}); \
      !missing.empty())                                                                       \
  GTEST_SKIP() << "needs " << missing

void run_shell(const std::string& command) {
  ASSERT_TRUE(shell(command)) << command;
}

// An image of the format the extension names, made by ffmpeg.
void make_image(const std::string& path, int size = 32) {
  const std::string codec = path.ends_with(".webp") ? " -c:v libwebp" : "";
  run_shell("ffmpeg -loglevel error -y -f lavfi -i color=c=blue:s=" + std::to_string(size) + "x" +
            std::to_string(size) + " -frames:v 1" + codec + " '" + path + "'");
}

void exif(const std::string& path, const std::string& tags) {
  run_shell("exiftool -q -overwrite_original " + tags + " '" + path + "'");
}

// A video whose movie header says it was made at the UTC time given; with
// Apple's creation date key too, as an iPhone writes it, where one is given.
void make_video(const std::string& path, const std::string& created,
                const std::string& apple = {}) {
  std::string command =
      "ffmpeg -loglevel error -y -f lavfi -i color=c=red:s=64x64:d=0.1 -f mov -metadata "
      "creation_time=";
  command.append(created);
  if (!apple.empty()) {
    command.append(" -movflags use_metadata_tags -metadata com.apple.quicktime.creationdate=");
    command.append(apple);
  }
  run_shell(command.append(" '").append(path).append("'"));
}

// The folder as it is, but for last-access times under wine: wine does
// not keep them as Windows does for a handle that asks it to.
folder_state taken_snapshot(const scratch& dir) {
  folder_state state = snapshot(dir.path);
  if (testing_windows_build()) {
    for (auto& [path, entry] : state) entry.atime = 0;
  }
  return state;
}

tool_result stamp(const scratch& dir, std::vector<std::string> words,
                  const std::vector<std::string>& environment = {}) {
  words.insert(words.begin(), "--exif");
  run_setup setup;
  setup.environment = environment;
  return run_tool(dir.path, words, setup);
}

TEST(Exif, PhotosInTheirZoneOrByTheirOffset) {
  NEEDS_MEDIA_TOOLS();
  scratch dir;
  for (const std::string name :
       {"plain.jpg", "offset.jpg", "fraction.jpg", "photo.png", "photo.webp"}) {
    make_image(dir.at(name));
    exif(dir.at(name), "-DateTimeOriginal='" + original + "'");
  }
  make_image(dir.at("photo.jpg"), 256);  // HEIC from a JPEG, its EXIF carried over
  exif(dir.at("photo.jpg"), "-DateTimeOriginal='" + original + "'");
  run_shell("heif-enc -q 30 -o '" + dir.at("photo.heic") + "' '" + dir.at("photo.jpg") + "'");
  std::filesystem::remove(dir.at("photo.jpg"));
  exif(dir.at("offset.jpg"), "-OffsetTimeOriginal=+02:00");
  exif(dir.at("fraction.jpg"), "-SubSecTimeOriginal=25");
  for (const char* name :
       {"plain.jpg", "offset.jpg", "fraction.jpg", "photo.png", "photo.webp", "photo.heic"}) {
    set_old_times(dir.at(name));
  }
  const folder_state before = taken_snapshot(dir);
  const tool_result r = stamp(dir, {});
  EXPECT_EQ(r.status, 0) << r.err;
  for (const char* name : {"plain.jpg", "photo.png", "photo.webp", "photo.heic"}) {
    EXPECT_EQ(mtime_of(dir.at(name)), taken) << name;
  }
  EXPECT_EQ(mtime_of(dir.at("offset.jpg")), taken - 2 * hour);  // one instant
  EXPECT_EQ(mtime_of(dir.at("fraction.jpg")), taken + 250'000'000);
  // Only the last-modified times: every file's data and last-access time as they were.
  expect_only_stamped(
      before, taken_snapshot(dir),
      {"plain.jpg", "offset.jpg", "fraction.jpg", "photo.png", "photo.webp", "photo.heic"});
  // In another zone: the offset's instant stays.
  stamp(dir, {"--tz", "+05:30"});
  EXPECT_EQ(mtime_of(dir.at("plain.jpg")), taken - 5 * hour - hour / 2);
  EXPECT_EQ(mtime_of(dir.at("offset.jpg")), taken - 2 * hour);
  stamp(dir, {"--local"}, {"TZ=Europe/Berlin"});
  EXPECT_EQ(mtime_of(dir.at("plain.jpg")), taken - 2 * hour);
}

// A video's header time is UTC, as the format says; --video-local reads it
// as the camera's local time. Apple's key, with its offset, comes first.
TEST(Exif, VideosByAppleKeyElseTheirHeader) {
  NEEDS_MEDIA_TOOLS();
  scratch dir;
  make_video(dir.at("clip.mp4"), "2019-07-04T18:30:12Z");
  make_video(dir.at("clip.mov"), "2019-07-04T18:30:12Z");
  make_video(dir.at("iphone.mov"), "2018-01-01T00:00:00Z", "2019-07-04T11:30:12-0700");
  const tool_result r = stamp(dir, {"--local", "--verbose"}, {"TZ=Europe/Berlin"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(mtime_of(dir.at("clip.mp4")), taken);
  EXPECT_EQ(mtime_of(dir.at("clip.mov")), taken);
  EXPECT_EQ(mtime_of(dir.at("iphone.mov")), taken);
  EXPECT_NE(r.err.find("offset from UTC, from QuickTime:CreationDate"), std::string::npos) << r.err;
  stamp(dir, {"--video-local", "--local"}, {"TZ=Europe/Berlin"});
  EXPECT_EQ(mtime_of(dir.at("clip.mp4")), taken - 2 * hour);
  EXPECT_EQ(mtime_of(dir.at("iphone.mov")), taken);
}

// An XMP sidecar comes first; no capture time inside (the time of an edit
// only, a zeroed date, a text file) falls to the name; a corrupt photo is
// reported and left alone, never a crash.
TEST(Exif, SidecarsFirstAndWhatHoldsNoTime) {
  NEEDS_MEDIA_TOOLS();
  scratch dir;
  make_image(dir.at("IMG_1.jpg"));
  exif(dir.at("IMG_1.jpg"), "-DateTimeOriginal='" + original + "'");
  make_file(dir.at("IMG_1.jpg.xmp"),
            R"(<x:xmpmeta xmlns:x="adobe:ns:meta/"><rdf:RDF )"
            R"(xmlns:rdf="http://www.w3.org/1999/02/22-rdf-syntax-ns#">)"
            R"(<rdf:Description rdf:about="" xmlns:xmp="http://ns.adobe.com/xap/1.0/" )"
            R"(xmp:CreateDate="2018-01-02T03:04:05Z"/></rdf:RDF></x:xmpmeta>)");
  const std::string edited = "2010-09-10 13.40.jpg";
  make_image(dir.at(edited));
  exif(dir.at(edited), "-ModifyDate='2020:01:01 00:00:00'");
  const std::string zeroed = "2011-01-01 10.00.jpg";
  make_image(dir.at(zeroed));
  exif(dir.at(zeroed), "-DateTimeOriginal='" + original + "'");
  run_shell("exiv2 -M'set Exif.Photo.DateTimeOriginal 0000:00:00 00:00:00' '" + dir.at(zeroed) +
            "'");
  make_file(dir.at("2012-01-01 10.00.jpg"), "a text file, named like a photo");
  make_image(dir.at("broken.jpg"));
  exif(dir.at("broken.jpg"), "-DateTimeOriginal='" + original + "'");
  run_shell("truncate -s 60 '" + dir.at("broken.jpg") + "'");
  for (const std::string& name :
       std::vector<std::string>{"IMG_1.jpg", "IMG_1.jpg.xmp", edited, zeroed, "broken.jpg"}) {
    set_old_times(dir.at(name));
  }
  const folder_state before = taken_snapshot(dir);
  const tool_result r = stamp(dir, {});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(mtime_of(dir.at("IMG_1.jpg")), utc_ns(2018, 1, 2, 3, 4, 5));
  EXPECT_EQ(mtime_of(dir.at(edited)), utc_ns(2010, 9, 10, 13, 40));
  EXPECT_EQ(mtime_of(dir.at(zeroed)), utc_ns(2011, 1, 1, 10, 0));
  EXPECT_EQ(mtime_of(dir.at("2012-01-01 10.00.jpg")), utc_ns(2012, 1, 1, 10, 0));
  EXPECT_TRUE(contains(r.err, "cannot read a date from './broken.jpg': exiv2 cannot read it"))
      << r.err;
  expect_only_stamped(before, taken_snapshot(dir),
                      {"IMG_1.jpg", edited, zeroed, "2012-01-01 10.00.jpg"});
}

}  // namespace
