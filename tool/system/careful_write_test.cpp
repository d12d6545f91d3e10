#include "system/careful_write.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

using std::chrono::seconds;

// One fake file, on a fake file system that may clamp or drop what is
// written; every call is counted.
struct fake_disk {
  file_time stored{tick_time{ticks{1'000}}, 0};
  enum { keeps, clamps, drops, fails_restore, even_seconds } behaviour = keeps;
  int reads = 0;
  int writes = 0;
};
fake_disk disk;

const tick_time clamp_limit = unix_epoch + seconds{INT32_MAX};

int fake_check(const file_ref&) {
  return 0;
}

int fake_read(const file_ref&, file_time& time) {
  ++disk.reads;
  time = disk.stored;
  return 0;
}

int fake_write(const file_ref&, const file_time& time) {
  ++disk.writes;
  switch (disk.behaviour) {
    case fake_disk::keeps:
      disk.stored = time;
      break;
    case fake_disk::clamps:  // like ext4 with 128-byte inodes: 32-bit seconds
      disk.stored = time.tick > clamp_limit ? file_time{clamp_limit, 0} : time;
      break;
    case fake_disk::drops:  // like some FUSE file systems: success, and nothing kept
      break;
    case fake_disk::fails_restore:  // keeps only the first write, clamped
      if (disk.writes == 1) disk.stored = {clamp_limit, 0};
      break;
    case fake_disk::even_seconds:  // like FAT
    {
      const auto whole = std::chrono::floor<std::chrono::seconds>(time.tick);
      disk.stored = {whole - std::chrono::seconds{whole.time_since_epoch().count() % 2}, 0};
    } break;
  }
  return 0;
}

system_calls fake_calls() {
  system_calls calls;
  calls.check = fake_check;
  calls.read_time = fake_read;
  calls.write_time = fake_write;
  return calls;
}
const system_calls fake = fake_calls();
const file_ref no_file{nullptr, nullptr, kind_unknown, "./x"};
const file_time old_time{unix_epoch + seconds{981'173'106}, 89};

set_result set_on(decltype(fake_disk::behaviour) behaviour, tick_time t) {
  disk = {old_time, behaviour, 0, 0};
  return set_write_time(fake, no_file, {t, 0});
}

TEST(SetTime, AHeldTimeCostsOneWrite) {
  const tick_time t = unix_epoch + seconds{1'284'126'000};  // 2010
  for (const auto behaviour : {fake_disk::keeps, fake_disk::drops}) {
    EXPECT_EQ(set_on(behaviour, t).fate, set_fate::set);
    EXPECT_EQ(disk.writes, 1);
    EXPECT_EQ(disk.reads, 0);
  }
}

TEST(SetTime, OutsideTheWindowItIsReadBack) {
  const tick_time in_2050 = unix_epoch + seconds{2'524'608'000};
  EXPECT_EQ(set_on(fake_disk::keeps, in_2050).fate, set_fate::set);
  EXPECT_EQ(disk.stored, (file_time{in_2050, 0}));
  EXPECT_EQ(disk.writes, 1);
}

TEST(SetTime, AClampedOrDroppedTimeIsUndoneAndReported) {
  const tick_time in_2050 = unix_epoch + seconds{2'524'608'000};
  const tick_time in_1700{ticks{3'155'760'000'000'000}};
  for (const auto behaviour : {fake_disk::clamps, fake_disk::drops}) {
    for (const tick_time t : {in_2050, in_1700}) {
      const set_result r = set_on(behaviour, t);
      if (behaviour == fake_disk::clamps && t == in_1700) {
        EXPECT_EQ(r.fate, set_fate::set);  // a clamp that only cuts the top holds 1700
        continue;
      }
      EXPECT_EQ(r.fate, set_fate::not_held);
      EXPECT_EQ(disk.stored, old_time);  // to the nanosecond
    }
  }
}

TEST(SetTime, ATimeKeptInTheFileSystemsStepsIsHeldButRounded) {
  const tick_time odd_second = unix_epoch + seconds{1'284'126'017};
  disk = {old_time, fake_disk::even_seconds, 0, 0};
  const set_result r = set_write_time(fake, no_file, {odd_second, 0}, true);
  EXPECT_EQ(r.fate, set_fate::rounded);
  EXPECT_EQ(r.now, (file_time{odd_second - seconds{1}, 0}));
  // A verified write costs a read before and one after.
  EXPECT_EQ(disk.reads, 2);
  EXPECT_EQ(disk.writes, 1);
}

TEST(SetTime, AFailedRestoreSaysWhatTheFileHoldsNow) {
  const tick_time in_2050 = unix_epoch + seconds{2'524'608'000};
  const set_result r = set_on(fake_disk::fails_restore, in_2050);
  EXPECT_EQ(r.fate, set_fate::not_restored);
  ASSERT_TRUE(r.now);
  EXPECT_EQ(*r.now, (file_time{clamp_limit, 0}));
}

}  // namespace
