#include "journal/restore_rule.hpp"

#include <gtest/gtest.h>

#include "system/careful_write.hpp"
#include "system/memory_system.hpp"

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
// systems do: what the run takes as set, the undo takes as set.
TEST(RestoreRule, WhatTheRunTookAsSetTheUndoTakesAsSet) {
  memory_system fs;
  fs.keeps = [](const file_time& given, const file_time&) {
    return file_time{std::chrono::floor<milliseconds>(given.tick), 0};
  };
  const system_calls system = calls_of(fs);
  const file_time before{noon - seconds{3600}, 0};
  for (const file_time set : {file_time{noon + microseconds{881'926}, 0},  // a recorder's name
                              file_time{noon + seconds{1}, 0}, file_time{noon, 17}}) {
    add_file(fs, "x", before);
    const set_result run =
        set_write_time(system, {nullptr, nullptr, kind_unknown, "./x"}, set, true);
    EXPECT_NE(run.fate, set_fate::not_held) << format_utc(set);
    EXPECT_EQ(step_for(file_at(fs, "x")->mtime, before, set), restore_step::restore)
        << format_utc(set);
  }
}

}  // namespace
