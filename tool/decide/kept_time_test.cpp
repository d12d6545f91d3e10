#include "decide/kept_time.hpp"

#include <gtest/gtest.h>

namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;
using std::chrono::seconds;

const tick_time noon = unix_epoch + seconds{1'262'347'200};  // 2010-01-01 12:00:00, an even second

TEST(KeptTime, EachFileSystemsStepsCutOrRoundUp) {
  const file_time set{noon + microseconds{789'123} + ticks{4}, 42};  // .789123442
  EXPECT_EQ(how_kept(set, set), kept_as::same);
  EXPECT_EQ(how_kept({set.tick, 0}, set), kept_as::same);     // a tick, as Windows keeps it
  for (const tick_time kept : {noon + microseconds{789'123},  // 1 µs
                               noon + milliseconds{789},      // 1 ms, cut
                               noon + milliseconds{790},      // 10 ms (exFAT), rounded up
                               noon, noon + seconds{1},       // whole seconds
                               noon + seconds{2}}) {          // FAT's 2 s, rounded up
    EXPECT_EQ(how_kept({kept, 0}, set), kept_as::in_steps) << format_utc(kept);
  }
  EXPECT_EQ(how_kept({noon + seconds{3}, 0}, set), kept_as::other);
  EXPECT_EQ(how_kept({noon + milliseconds{788}, 0}, set), kept_as::other);
  EXPECT_EQ(how_kept({noon, 1}, set), kept_as::other);
}

TEST(KeptTime, ATimeOnAStepIsNeverRoundedUp) {
  EXPECT_EQ(how_kept({noon + seconds{1}, 0}, {noon, 0}), kept_as::other);
  EXPECT_EQ(how_kept({noon + seconds{2}, 0}, {noon + seconds{1}, 0}), kept_as::in_steps);  // FAT
}

}  // namespace
