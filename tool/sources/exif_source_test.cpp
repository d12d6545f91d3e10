// The time inside the file, read from files exiv2 makes in memory, through
// the memory system's descriptors.
#include <gtest/gtest.h>

#include <exiv2/exiv2.hpp>

#include "names/selection.hpp"
#include "sources/chain.hpp"
#include "system/memory_system.hpp"

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"  // exiv2 0.27's std::auto_ptr

namespace {

// A JPEG holding the EXIF tags given, made by exiv2 itself.
std::string jpeg_with(const std::vector<std::pair<std::string, std::string>>& tags) {
  Exiv2::Image::AutoPtr image = Exiv2::ImageFactory::create(Exiv2::ImageType::jpeg);
  for (const auto& [key, value] : tags) image->exifData()[key] = value;
  image->writeMetadata();
  Exiv2::BasicIo& io = image->io();
  io.seek(0, Exiv2::BasicIo::beg);
  const Exiv2::DataBuf bytes = io.read(static_cast<long>(io.size()));
  return {reinterpret_cast<const char*>(bytes.pData_), static_cast<std::size_t>(bytes.size_)};
}

struct answer_of {
  stamp_decision decision;
  std::string where;
};

answer_of ask_through(const system_calls& system, const std::string& name,
                      const time_rule& rule = {}) {
  const std::string path = "./" + name;
  fetch_space space;
  const source_file file{
      {nullptr, name.c_str(), kind_regular, path.c_str()}, name, path, split_name(name)->stem};
  source_answer answer;
  ask_sources(chain_for(false, true), file,
              {rule,
               [](std::chrono::seconds) {
                 return std::optional<std::chrono::seconds>(std::chrono::hours{2});
               },
               system},
              space, answer);
  return {std::move(answer.decision), std::move(answer.where)};
}

answer_of ask(memory_system& fs, const std::string& name, const time_rule& rule = {}) {
  return ask_through(calls_of(fs), name, rule);
}

std::string utc_of(const answer_of& a) {
  return a.decision.time ? format_utc(*a.decision.time) : "none: " + a.decision.why;
}

// A photo smaller than a block is read in one call that asks for no more
// than the photo holds: a read asked past the end comes back short, and
// the platform asks on, one more call (a round trip on a share).
TEST(ExifSource, APhotoIsReadInOneCallUpToItsEnd) {
  memory_system fs;
  const std::string photo = jpeg_with({{"Exif.Photo.DateTimeOriginal", "2019:07:04 18:30:12"}});
  add_file(fs, "a.jpg", {}, photo);
  system_calls system = calls_of(fs);
  int reads = 0;
  std::int64_t asked_to = 0;
  system.read_at = [&, read = system.read_at](int descriptor, std::int64_t offset, std::size_t size,
                                              std::string& text) {
    ++reads;
    asked_to = std::max(asked_to, offset + static_cast<std::int64_t>(size));
    return read(descriptor, offset, size, text);
  };
  EXPECT_EQ(utc_of(ask_through(system, "a.jpg")), "2019-07-04 18:30:12 UTC");
  EXPECT_EQ(reads, 1);
  EXPECT_EQ(asked_to, static_cast<std::int64_t>(photo.size()));
}

TEST(ExifSource, TheTakenTimeInTheZoneOfTheRunOrItsOwnOffset) {
  memory_system fs;
  const std::string original = "2019:07:04 18:30:12";
  add_file(fs, "a.jpg", {},
           jpeg_with({{"Exif.Photo.DateTimeOriginal", original},
                      {"Exif.Photo.SubSecTimeOriginal", "25"}}));
  add_file(fs, "b.jpg", {},
           jpeg_with({{"Exif.Photo.DateTimeOriginal", original},
                      {"Exif.Photo.OffsetTimeOriginal", "+02:00"}}));
  EXPECT_EQ(utc_of(ask(fs, "a.jpg")), "2019-07-04 18:30:12.25 UTC");
  EXPECT_EQ(ask(fs, "a.jpg").where, "Exif.Photo.DateTimeOriginal");
  time_rule local;
  local.local = true;
  EXPECT_EQ(utc_of(ask(fs, "a.jpg", local)), "2019-07-04 16:30:12.25 UTC");
  time_rule tokyo;
  tokyo.fixed_offset = std::chrono::hours{9};
  EXPECT_EQ(utc_of(ask(fs, "a.jpg", tokyo)), "2019-07-04 09:30:12.25 UTC");
  // An offset names one instant, whatever the zone.
  EXPECT_EQ(utc_of(ask(fs, "b.jpg", tokyo)), "2019-07-04 16:30:12 UTC");
}

// No capture time inside (only the time of the last edit, or a zeroed
// one): the name is read. A file exiv2 cannot read is left alone.
TEST(ExifSource, NoTimeInsideFallsToTheNameAndUnreadableDataIsAFault) {
  memory_system fs;
  add_file(fs, "2010-09-10 13.40.jpg", {},
           jpeg_with({{"Exif.Image.DateTime", "2020:01:01 00:00:00"}}));
  add_file(fs, "2011-01-01 10.00.jpg", {},
           jpeg_with({{"Exif.Photo.DateTimeOriginal", "0000:00:00 00:00:00"}}));
  add_file(fs, "DSC_0001.jpg", {}, jpeg_with({}));
  add_file(fs, "2012-01-01 10.00.jpg", {}, "a text file, named like a photo");
  add_file(fs, "2013-01-01 10.00.jpg", {}, jpeg_with({}).substr(0, 40));  // cut short
  EXPECT_EQ(utc_of(ask(fs, "2010-09-10 13.40.jpg")), "2010-09-10 13:40:00 UTC");
  EXPECT_EQ(utc_of(ask(fs, "2011-01-01 10.00.jpg")), "2011-01-01 10:00:00 UTC");
  EXPECT_EQ(utc_of(ask(fs, "DSC_0001.jpg")),
            "none: no capture time inside it, and no date in the form 'year-month-day "
            "hour.minute'");
  EXPECT_EQ(utc_of(ask(fs, "2012-01-01 10.00.jpg")), "2012-01-01 10:00:00 UTC");
  EXPECT_EQ(utc_of(ask(fs, "2013-01-01 10.00.jpg")),
            "none: exiv2 cannot read it: Failed to read image data");
  fs.fault = [](const std::string& call, const std::string&) {
    return call == "data" ? EACCES : 0;
  };
  EXPECT_EQ(utc_of(ask(fs, "DSC_0001.jpg")), "none: cannot read its data: Permission denied");
}

// An XMP sidecar, which a person wrote on purpose, comes first.
TEST(ExifSource, AnXmpSidecarComesFirst) {
  memory_system fs;
  add_file(fs, "IMG_1.jpg", {},
           jpeg_with({{"Exif.Photo.DateTimeOriginal", "2019:07:04 18:30:12"}}));
  add_file(fs, "IMG_1.jpg.xmp", {},
           R"(<x:xmpmeta xmlns:x="adobe:ns:meta/"><rdf:RDF )"
           R"(xmlns:rdf="http://www.w3.org/1999/02/22-rdf-syntax-ns#">)"
           R"(<rdf:Description rdf:about="" xmlns:exif="http://ns.adobe.com/exif/1.0/" )"
           R"(exif:DateTimeOriginal="2018-01-02T03:04:05+01:00"/></rdf:RDF></x:xmpmeta>)");
  const answer_of a = ask(fs, "IMG_1.jpg");
  EXPECT_EQ(utc_of(a), "2018-01-02 02:04:05 UTC");
  EXPECT_EQ(a.where, "./IMG_1.jpg.xmp");
  EXPECT_TRUE(owned_by_sources(chain_for(false, true), "XMP"));
}

}  // namespace
