#include "journal/restore_rule.hpp"

#include <gtest/gtest.h>

namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

const tick_time noon = unix_epoch + seconds{1'262'347'200};  // 2010-01-01 12:00:00

TEST(RestoreRule, ATimeKeptInCoarserStepsIsTheTimeSet) {
  const file_time set{noon + milliseconds{789}, 42};  // .789000042
  EXPECT_TRUE(kept_alike(set, set));
  EXPECT_TRUE(kept_alike({noon, 0}, set));                      // whole seconds, cut
  EXPECT_TRUE(kept_alike({noon + seconds{1}, 0}, set));         // or rounded up
  EXPECT_TRUE(kept_alike({noon + milliseconds{780}, 0}, set));  // exFAT's 10 ms
  EXPECT_TRUE(kept_alike({noon + milliseconds{789}, 0}, set));  // a tick, no nanoseconds
  EXPECT_TRUE(kept_alike({noon + seconds{2}, 0}, {noon + seconds{1}, 0}));  // FAT's 2 s
  EXPECT_FALSE(kept_alike({noon + seconds{3}, 0}, set));
  EXPECT_FALSE(kept_alike({noon, 1}, set));
  // A whole second is kept as it is, not rounded up by a step.
  EXPECT_FALSE(kept_alike({noon + seconds{1}, 0}, {noon, 0}));
}

TEST(RestoreRule, WhatEachTimeMeans) {
  const file_time before{noon - seconds{3600}, 0};
  const file_time set{noon + milliseconds{500}, 0};
  EXPECT_EQ(step_for(set, before, set), restore_step::restore);
  EXPECT_EQ(step_for({noon, 0}, before, set), restore_step::restore);  // as ext4 kept it
  EXPECT_EQ(step_for(before, before, set), restore_step::unchanged);
  EXPECT_EQ(step_for({noon + seconds{60}, 0}, before, set), restore_step::changed);
}

}  // namespace
