#include "journal/restore_rule.hpp"

#include <gtest/gtest.h>

#include "platform/careful_write.hpp"

namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;
using std::chrono::seconds;

const tick_time noon = unix_epoch + seconds{1'262'347'200};  // 2010-01-01 12:00:00

TEST(RestoreRule, WhatEachTimeMeans) {
  const file_time before{noon - seconds{3600}, 0};
  const file_time set{noon + milliseconds{500}, 0};
  EXPECT_EQ(step_for(set, before, set), restore_step::restore);
  EXPECT_EQ(step_for({noon, 0}, before, set), restore_step::restore);  // as ext4 kept it
  EXPECT_EQ(step_for(before, before, set), restore_step::unchanged);
  EXPECT_EQ(step_for({noon + seconds{60}, 0}, before, set), restore_step::changed);
}

// A file system that keeps milliseconds, cut down, as several FUSE file
// systems do.
file_time kept_ms{};
int no_check(const file_ref&) {
  return 0;
}
int read_ms(const file_ref&, file_time& t) {
  t = kept_ms;
  return 0;
}
int write_ms(const file_ref&, const file_time& t) {
  kept_ms = {std::chrono::floor<milliseconds>(t.tick), 0};
  return 0;
}

TEST(RestoreRule, WhatTheRunTookAsSetTheUndoTakesAsSet) {
  const time_access milliseconds_only = {no_check, read_ms, write_ms};
  const file_time before{noon - seconds{3600}, 0};
  for (const file_time set : {file_time{noon + microseconds{881'926}, 0},  // a recorder's name
                              file_time{noon + seconds{1}, 0}, file_time{noon, 17}}) {
    kept_ms = before;
    const set_result run = set_write_time({nullptr, nullptr, "./x"}, set, milliseconds_only, true);
    EXPECT_EQ(run.error, 0) << format_utc(set);
    EXPECT_EQ(step_for(kept_ms, before, set), restore_step::restore) << format_utc(set);
  }
}

}  // namespace
