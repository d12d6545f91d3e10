#include "run/trust.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Trust, OnlyATimeNotHeldMeansCheckingEachFile) {
  EXPECT_EQ(learn_trust({}), folder_trust::keeps);
  EXPECT_EQ(learn_trust({set_fate::rounded, 0, file_time{}}), folder_trust::keeps);
  EXPECT_EQ(learn_trust({set_fate::not_held, 0, file_time{}}), folder_trust::checks_each);
  EXPECT_EQ(learn_trust({set_fate::failed, 1, std::nullopt}), folder_trust::unknown);  // EPERM
  EXPECT_TRUE(must_verify(folder_trust::unknown));
  EXPECT_TRUE(must_verify(folder_trust::checks_each));
  EXPECT_FALSE(must_verify(folder_trust::keeps));
}

}  // namespace
