#include "metadata/movie_header.hpp"

#include <gtest/gtest.h>

namespace {

std::string be(std::uint64_t value, int bytes) {
  std::string out;
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
  return out;
}

std::string box(const std::string& type, const std::string& body) {
  return be(8 + body.size(), 4) + type + body;
}

std::string mvhd(int version, std::uint64_t created) {
  return box("mvhd", std::string(1, static_cast<char>(version)) + std::string(3, '\0') +
                         be(created, version == 1 ? 8 : 4) + std::string(80, '\0'));
}

movie_header header_of(const std::string& file) {
  return read_movie_header(
      [&file](std::int64_t offset, std::size_t size, std::string& text) {
        const auto from = static_cast<std::size_t>(offset);
        text = from < file.size() ? file.substr(from, size) : std::string();
        return 0;
      },
      static_cast<std::int64_t>(file.size()));
}

TEST(MovieHeader, TheCreationTimeOfMoovsMvhd) {
  const std::string ftyp = box("ftyp", "isom" + std::string(4, '\0'));
  const std::string mdat = box("mdat", std::string(1000, 'x'));
  // moov after the media, as many cameras write it; a free box on the way.
  EXPECT_EQ(header_of(ftyp + mdat + box("moov", box("free", "") + mvhd(0, 3645109812))).created,
            3645109812u);
  EXPECT_EQ(header_of(ftyp + box("moov", mvhd(1, 0x1'0000'0001ULL)) + mdat).created,
            0x1'0000'0001ULL);
  // A 64-bit size, and a last box that runs to the end.
  const std::string large = be(1, 4) + "mdat" + be(16 + 8, 8) + std::string(8, 'x');
  EXPECT_EQ(header_of(ftyp + large + be(0, 4) + "moov" + mvhd(0, 7)).created, 7u);
}

// Sizes that claim more than there is, an mvhd outside moov, no moov: no
// time, and nothing read past what the file holds.
TEST(MovieHeader, NothingWhereTheBoxesDoNotAddUp) {
  const std::string ftyp = box("ftyp", "qt  " + std::string(4, '\0'));
  EXPECT_FALSE(header_of(ftyp + mvhd(0, 5)).created);
  EXPECT_FALSE(header_of(ftyp + be(4096, 4) + "moov" + mvhd(0, 5)).created);
  EXPECT_FALSE(header_of(ftyp + be(3, 4) + "moov").created);
  EXPECT_FALSE(header_of(ftyp + box("moov", be(12, 4) + "mvhd" + std::string(4, '\0'))).created);
  EXPECT_FALSE(header_of("").created);
}

// The keys box lists namespaced keys; the ilst's items are named by a
// key's index, from 1, and hold a data box: a type (1, UTF-8), a locale,
// the text.
std::string keys(std::initializer_list<std::string> names) {
  std::string body = be(0, 4) + be(names.size(), 4);
  for (const std::string& name : names) body += be(8 + name.size(), 4) + "mdta" + name;
  return box("keys", body);
}

std::string item(std::uint32_t index, std::uint32_t type, const std::string& text) {
  return box(be(index, 4), box("data", be(type, 4) + be(0, 4) + text));
}

TEST(MovieHeader, AppleCreationDateInMoovMetaOrUdtaMeta) {
  const std::string ftyp = box("ftyp", "qt  " + std::string(4, '\0'));
  const std::string hdlr = box("hdlr", std::string(8, '\0') + "mdta" + std::string(12, '\0'));
  const std::string date = "2019-07-04T11:30:12-0700";
  // As an iPhone writes it: a QuickTime meta, the key second of three.
  const std::string quicktime =
      box("meta", hdlr +
                      keys({"com.apple.quicktime.make", "com.apple.quicktime.creationdate",
                            "com.apple.quicktime.model"}) +
                      box("ilst", item(1, 1, "Apple") + item(2, 1, date) + item(3, 1, "iPhone")));
  movie_header header = header_of(ftyp + box("moov", mvhd(0, 7) + box("trak", "") + quicktime));
  EXPECT_EQ(header.creation_date, date);
  EXPECT_EQ(header.created, 7u);
  // An ISO meta (version and flags first) inside udta, before the header.
  const std::string iso = box("meta", be(0, 4) + hdlr + keys({"com.apple.quicktime.creationdate"}) +
                                          box("ilst", item(1, 1, date)));
  header = header_of(ftyp + box("moov", box("udta", box("free", "") + iso) + mvhd(0, 7)));
  EXPECT_EQ(header.creation_date, date);
  EXPECT_EQ(header.created, 7u);
}

// A value of another type, an index no key has, a key whose size runs
// past its box: no date from the key, and the header is still read.
TEST(MovieHeader, NoAppleDateWhereTheKeysDoNotAddUp) {
  const std::string key = keys({"com.apple.quicktime.creationdate"});
  for (const std::string& meta :
       {box("meta", key + box("ilst", item(1, 23, "2019-07-04T11:30:12-0700"))),
        box("meta", key + box("ilst", item(2, 1, "2019-07-04T11:30:12-0700"))),
        box("meta", box("keys", be(0, 4) + be(1, 4) + be(200, 4) + "mdta") +
                        box("ilst", item(1, 1, "2019")))}) {
    const movie_header header = header_of(box("moov", meta + mvhd(0, 7)));
    EXPECT_FALSE(header.creation_date);
    EXPECT_EQ(header.created, 7u);
  }
}

}  // namespace
