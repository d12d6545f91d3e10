#include "cli/summary.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Summary, SaysWhatCameOfTheRunAndWhy) {
  EXPECT_EQ(run_summary({100000, 3, 2, 1, false}, std::nullopt),
            "99997 files stamped; 3 of 100000 selected files were left alone (2 no date, 1 not "
            "set)");
  EXPECT_EQ(run_summary({1, 0, 0, 0, true}, 0.5), "1 file would be stamped, in 0.50 s");
  EXPECT_EQ(run_summary({5, 4, 0, 1, false}, std::nullopt),
            "1 file stamped; 4 of 5 selected files were left alone (1 not set, 3 not reached)");
}

}  // namespace
