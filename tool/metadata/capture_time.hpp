// When a photo or video was taken, as its own metadata says: the tags
// read, in the order they are trusted, and their dates read as the names'
// are. Pure: the tags' values come in through a lookup, so that this is
// tested without a file (exiv2_tags.hpp reads them).
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "names/calendar.hpp"

struct capture_time {
  calendar_time time;
  std::optional<std::chrono::minutes> offset;  // from UTC, where the metadata gives one
  bool utc = false;                            // a video's header time: UTC, as the format says
  std::string tag;                             // where it was read: "Exif.Photo.DateTimeOriginal"
};

// The value a file's metadata holds for a key ("Exif.Photo.DateTimeOriginal"),
// or nullopt.
using tag_lookup = std::function<std::optional<std::string>(std::string_view key)>;

// What the kind of metadata read holds, in the order it is trusted:
//   photo:   Exif DateTimeOriginal, else CreateDate (DateTimeDigitized),
//            each with its SubSecTime and OffsetTime; then the XMP in the
//            file (exif:DateTimeOriginal, xmp:CreateDate, photoshop:DateCreated).
//            Never ModifyDate: the time of the last edit.
//   sidecar: an XMP sidecar's exif:DateTimeOriginal, xmp:CreateDate,
//            photoshop:DateCreated.
// A date that says nothing (0000:00:00 00:00:00, blank, a day that does
// not exist, a header time of 0) is no date. nullopt when none holds one.
enum class metadata_kind { photo, sidecar };
std::optional<capture_time> find_capture_time(metadata_kind kind, const tag_lookup& lookup);

// The readers of the forms the tags are written in, for their tests:
// EXIF's "2019:07:04 18:30:12" (with "+02:00" and "123" fraction digits
// given apart) and XMP's "2019-07-04T18:30:12.123+02:00".
std::optional<capture_time> read_exif_date(std::string_view date, std::string_view subseconds,
                                           std::string_view offset);
std::optional<capture_time> read_xmp_date(std::string_view date);

// A video's movie header time, seconds since 1904 (movie_header.hpp): UTC,
// as the format says; 0 is no time.
std::optional<capture_time> movie_time(std::uint64_t since_1904);

// A video's time: Apple's creation date, which carries its offset, else
// its movie header's time.
std::optional<capture_time> video_time(const std::optional<std::string>& creation_date,
                                       std::optional<std::uint64_t> since_1904);
