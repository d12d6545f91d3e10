#include "cli/advice.hpp"

#include <gtest/gtest.h>

namespace {

selection_rule with_words(std::vector<std::string> words) {
  selection_rule o;
  o.words = std::move(words);
  return o;
}

std::string why_nothing(std::vector<std::string> words, selection_clues clues = {}) {
  return nothing_selected(with_words(std::move(words)), false, ".", clues);
}

TEST(Advice, NamesWhatWasLookedFor) {
  EXPECT_EQ(why_nothing({}), "no file in '.' has an extension");
  EXPECT_EQ(why_nothing({"png"}), "no file in '.' has the extension 'png'");
  EXPECT_EQ(why_nothing({"+1", "png", "mp4"}),
            "no file in '.' has any of the extensions 'png', 'mp4'");
  EXPECT_EQ(nothing_selected(with_words({"png"}), true, "Photos", {}),
            "no file in 'Photos' or below it has the extension 'png'");
}

TEST(Advice, SaysHowToRunItInstead) {
  // What the shell makes of velmora *.jpg, and of a pattern that matched nothing.
  EXPECT_EQ(why_nothing({"-2", "2010-09-10 13.40.jpg", "notes.txt", "b.jpg"}),
            "no file in '.' has any of the extensions '2010-09-10 13.40.jpg', 'notes.txt', "
            "'b.jpg'; the words look like file names, but velmora takes extensions: run "
            "'velmora -2 jpg txt'");
  EXPECT_NE(why_nothing({"*.png"}).find("run 'velmora png'"), std::string::npos);
  // 120 names: a few of them, and how many more.
  std::vector<std::string> expanded;
  for (int i = 0; i < 120; ++i) expanded.push_back("IMG_" + std::to_string(1000 + i) + ".jpg");
  EXPECT_EQ(why_nothing(expanded),
            "no file in '.' has any of the extensions 'IMG_1000.jpg', 'IMG_1001.jpg', "
            "'IMG_1002.jpg' and 117 more; the words look like file names, but velmora takes "
            "extensions: run 'velmora jpg'");
  // A lone cut filters too.
  EXPECT_EQ(why_nothing({"}4"}),
            "no file in '.' has the extension '}4': every word is also an extension to match, "
            "so name the extensions too, as in 'velmora }4 jpg'");
  // A folder, by its slash or because the listing held one of that name.
  EXPECT_NE(why_nothing({"Photos/"}).find("run 'velmora --directory Photos/'"), std::string::npos);
  EXPECT_NE(why_nothing({"}4", "Photos"}, {"", "Photos", {}})
                .find("'Photos' looks like a folder: to stamp the files in it, run "
                      "'velmora --directory Photos }4'"),
            std::string::npos);
  EXPECT_EQ(why_nothing({"JPG"}, {"jpg", "", {}}),
            "no file in '.' has the extension 'JPG'; extensions match exactly, case included, and "
            "the folder has names ending in '.jpg'");
}

TEST(Advice, CaseClue) {
  const selection_rule o = with_words({"-1", "JPG", "mp4"});
  EXPECT_EQ(extension_in_other_case(o, "jpg"), "jpg");
  EXPECT_EQ(extension_in_other_case(o, "MP4"), "MP4");
  EXPECT_EQ(extension_in_other_case(o, "png"), "");
  EXPECT_EQ(extension_in_other_case(o, "jpgx"), "");
}

}  // namespace

namespace {

TEST(Advice, WordsThatMatchedNothingAndTheShiftsThatTakeEffect) {
  selection_rule o;
  o.words = {"jgp", "jpg", "jpg", "+1"};
  selection_clues clues{{}, {}, {0, 1, 0, 0}};
  EXPECT_EQ(unmatched_words(o, clues), "no file had the extension 'jgp'");
  o.words = {".jpg", "mp4"};
  clues.matched = {0, 1};
  EXPECT_EQ(unmatched_words(o, clues),
            "no file had the extension '.jpg'; an extension is written without its dot, as in "
            "'jpg'");
  clues.matched = {1, 1};
  EXPECT_EQ(unmatched_words(o, clues), "");
  o.words = {"+1", "+2"};
  EXPECT_NE(nothing_selected(o, false, ".", {})
                .find("as in 'velmora +2 jpg' (a later shift or cut "
                      "replaces an earlier one)"),
            std::string::npos);
}

}  // namespace
