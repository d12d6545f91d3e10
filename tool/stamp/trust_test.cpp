#include "stamp/trust.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Trust, OnlyATimeNotHeldMeansCheckingEachFile) {
  EXPECT_EQ(learn_trust({}), folder_trust::keeps);
  EXPECT_EQ(learn_trust({0, file_time{}, true}), folder_trust::keeps);  // rounded
  EXPECT_EQ(learn_trust({error_not_held, file_time{}}), folder_trust::checks_each);
  EXPECT_EQ(learn_trust({1, std::nullopt}), folder_trust::unknown);  // EPERM: probe again
  EXPECT_TRUE(must_verify(folder_trust::unknown));
  EXPECT_TRUE(must_verify(folder_trust::checks_each));
  EXPECT_FALSE(must_verify(folder_trust::keeps));
}

TEST(Trust, TheNoteNamesTheFolder) {
  EXPECT_EQ(rounding_note("./a/b.jpg", file_time{unix_epoch, 0}),
            "the file system of './a' keeps times in steps: './a/b.jpg' holds 1970-01-01 "
            "00:00:00 UTC, and the folder's other files are rounded alike");
}

}  // namespace
