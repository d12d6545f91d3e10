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

}  // namespace
