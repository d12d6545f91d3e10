#include "names/characters.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Characters, UtfEightSequencesCountOnce) {
  EXPECT_EQ(count_characters("IMG_2010"), 8u);
  EXPECT_EQ(count_characters("Фото_"), 5u);             // 2-byte letters
  EXPECT_EQ(count_characters("東京"), 2u);              // 3-byte
  EXPECT_EQ(count_characters("\xF0\x9F\x93\xB7"), 1u);  // an emoji, 4 bytes
  EXPECT_EQ(count_characters("e\xCC\x81"), 2u);  // a combining mark is a character of its own
  EXPECT_EQ(character_offset("Фото_2010", 5), 9u);
  EXPECT_EQ(character_offset("Фото", 9), 8u);  // past the end: the size
}

TEST(Characters, BytesOutsideUtfEightCountOneEach) {
  EXPECT_EQ(count_characters("Zo\xEB"), 3u);            // Latin-1 'ë'
  EXPECT_EQ(count_characters("\xC3"), 1u);              // a sequence cut short
  EXPECT_EQ(count_characters("\xC3\x28"), 2u);          // a lead byte without its follower
  EXPECT_EQ(count_characters("\x80\x80"), 2u);          // lone continuation bytes
  EXPECT_EQ(count_characters("\xC0\xAF"), 2u);          // an overlong '/'
  EXPECT_EQ(count_characters("\xE0\x80\xAF"), 3u);      // another overlong form
  EXPECT_EQ(count_characters("\xED\xA0\x80"), 3u);      // a UTF-16 surrogate
  EXPECT_EQ(count_characters("\xF4\x90\x80\x80"), 4u);  // past U+10FFFF
  EXPECT_EQ(count_characters("\xF0\x9F\x93"), 3u);      // an emoji cut short
  EXPECT_EQ(count_characters("\xE6\x9D\xB1\xFF"), 2u);  // a good one, then a bad byte
}

}  // namespace
