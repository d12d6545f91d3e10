#include "names/selection.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Selection, SkipsByNameNotPosition) {
  EXPECT_TRUE(is_skipped_name("."));
  EXPECT_TRUE(is_skipped_name(".."));
  EXPECT_TRUE(is_skipped_name("Velmora.exe"));
  EXPECT_FALSE(is_skipped_name("velmora.exe"));
  EXPECT_FALSE(is_skipped_name("..."));
  EXPECT_FALSE(is_skipped_name(".profile"));
}

TEST(Selection, SplitsAtTheLastDot) {
  EXPECT_FALSE(split_name("README"));
  const name_parts tar = *split_name("a.tar.gz");
  EXPECT_EQ(tar.stem, "a.tar");
  EXPECT_EQ(tar.extension, "gz");
  const name_parts profile = *split_name(".profile");
  EXPECT_EQ(profile.stem, "");
  EXPECT_EQ(profile.extension, "profile");
  EXPECT_EQ(split_name("x.")->extension, "");
}

bool selected(std::vector<std::string> words, std::string_view extension,
              bool shift_given = false) {
  return extension_selected(words, shift_given, extension);
}

TEST(Selection, ExtensionFilter) {
  EXPECT_TRUE(selected({}, "anything"));
  EXPECT_TRUE(selected({"-5"}, "txt", true));
  EXPECT_TRUE(selected({"jpg"}, "jpg"));
  EXPECT_FALSE(selected({"jpg"}, "JPG"));
  EXPECT_FALSE(selected({"jpg"}, "jpeg"));
  // A lone cut is a word too, so it filters.
  EXPECT_FALSE(selected({"}3"}, "jpg"));
  // Two words filter even when both are shifts, and shifts match as extensions.
  EXPECT_FALSE(selected({"+1", "+2"}, "jpg", true));
  EXPECT_TRUE(selected({"+1", "+2"}, "+1", true));
  EXPECT_TRUE(selected({"+1", "jpg"}, "jpg", true));
  EXPECT_TRUE(selected({"jpg", ""}, ""));
}

TEST(Selection, Cuts) {
  const std::string_view stem = "IMG_2010-09-10 13.40_edit";
  EXPECT_EQ(cut_date_text(stem, 4, 5), "2010-09-10 13.40");
  EXPECT_EQ(cut_date_text(stem, 0, 0), stem);
  // A back cut that leaves less than nothing, or a negative one, cuts nothing.
  EXPECT_EQ(cut_date_text(stem, 4, 100), "2010-09-10 13.40_edit");
  EXPECT_EQ(cut_date_text(stem, 4, -3), "2010-09-10 13.40_edit");
  EXPECT_EQ(cut_date_text(stem, 4, 21), "");
  EXPECT_EQ(cut_date_text(stem, 25, 0), "");
  EXPECT_FALSE(cut_date_text(stem, 26, 0));
  EXPECT_FALSE(cut_date_text("", 1, 0));
  EXPECT_EQ(cut_date_text(stem, INT32_MAX - 1, INT32_MIN), std::nullopt);
  EXPECT_EQ(cut_date_text(stem, 0, INT32_MIN), stem);
  EXPECT_EQ(cut_date_text(stem, 0, INT32_MAX), stem);
}

TEST(Selection, CutsCountCharacters) {
  EXPECT_EQ(cut_date_text("Фото_2010-09-10 13.40", 5, 0), "2010-09-10 13.40");
  EXPECT_EQ(cut_date_text("2010-09-10 13.40 Zoë", 0, 4), "2010-09-10 13.40");
  EXPECT_EQ(cut_date_text("東京 2010-09-10 13.40 東京", 3, 3), "2010-09-10 13.40");
  EXPECT_FALSE(cut_date_text("東京", 3, 0));  // two characters, though six bytes
  // A byte that is not UTF-8 counts as one character.
  EXPECT_EQ(cut_date_text("Zo\xEB_2010-09-10 13.40", 4, 0), "2010-09-10 13.40");
}

}  // namespace
