#include "cli/summary.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Summary, SaysWhatCameOfTheRunAndWhy) {
  EXPECT_EQ(run_summary({100000, 3, 2, 1, false}, std::nullopt),
            "99997 files stamped; 3 of 100000 selected files were left alone (2 no date, 1 not "
            "set)");
  EXPECT_EQ(run_summary({1, 0, 0, 0, true}, 0.5), "1 file would be stamped, in 0.50 s");
  // The zone the names were read in, where one was.
  EXPECT_EQ(run_summary({2, 1, 1, 0, true}, 0.5, run_end::walked, "", "names read as UTC"),
            "1 file would be stamped (names read as UTC); 1 of 2 selected files were left alone "
            "(1 no date), in 0.50 s");
  EXPECT_EQ(run_summary({5, 4, 0, 1, false}, std::nullopt),
            "1 file stamped; 4 of 5 selected files were left alone (1 not set, 3 not reached)");
}

// A run that stopped early gives no count that reads as a total.
TEST(Summary, ARunThatStoppedEarlySaysSo) {
  EXPECT_EQ(run_summary({2, 1, 0, 0, false}, std::nullopt, run_end::stopped),
            "stopped early: 1 file stamped, 1 left alone (1 not reached); the rest of the "
            "folder was not looked at");
  EXPECT_EQ(
      run_summary({300, 44, 0, 0, false}, std::nullopt, run_end::interrupted, "velmora --undo"),
      "interrupted: 256 files stamped, 44 left alone (44 not reached); the rest of the "
      "folder was not looked at; 'velmora --undo' puts back what was stamped");
  EXPECT_EQ(run_summary({3, 0, 0, 0, true}, std::nullopt, run_end::interrupted, ""),
            "interrupted: 3 files would be stamped; the rest of the folder was not looked at");
}

}  // namespace
