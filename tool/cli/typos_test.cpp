#include "cli/typos.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Typos, AutocorrectedDashesNameWhatTheyLookLike) {
  EXPECT_EQ(*dash_typo("\xE2\x80\x94"
                       "dry-run"),
            "'\xE2\x80\x94"
            "dry-run' begins with an em dash, not with '-': did you mean '--dry-run'?");
  EXPECT_NE(dash_typo("\xE2\x80\x93recursive")->find("'--recursive'"), std::string::npos);
  EXPECT_NE(dash_typo("\xE2\x88\x92"
                      "2")
                ->find("'-2'"),
            std::string::npos);
  EXPECT_NE(dash_typo("\xE2\x80\x94journal=x")->find("'--journal=x'"), std::string::npos);
  EXPECT_FALSE(dash_typo("jpg"));
  EXPECT_FALSE(dash_typo("--dry-run"));
}

TEST(Typos, TheNearestOption) {
  EXPECT_EQ(nearest_option("--dryrun"), "--dry-run");
  EXPECT_EQ(nearest_option("--recursiv"), "--recursive");
  EXPECT_EQ(nearest_option("--locale"), "--local");
  EXPECT_EQ(nearest_option("--jour"), "--journal");
  EXPECT_EQ(nearest_option("--h"), "--help");  // a prefix first, not --tz by letters
  EXPECT_EQ(nearest_option("--frobnicate"), "");
}

}  // namespace
