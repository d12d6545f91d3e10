// What undoing one record does to its file, from the time the file has
// now: pure, so that every case is a unit test.
#pragma once

#include "decide/tick_time.hpp"

// Whether a time read back is t as a coarser file system keeps it: t
// itself, or t cut or rounded to steps of 1 µs, 10 ms (exFAT), 1 s (ext4
// with 128-byte inodes, XFS without bigtime) or 2 s (FAT).
bool kept_alike(const file_time& now, const file_time& t);

enum class restore_step {
  restore,    // the file has the time the run set: put the old one back
  unchanged,  // it has its old time: never stamped, or restored already
  changed,    // someone changed it since the run: leave it alone
};

restore_step step_for(const file_time& now, const file_time& before, const file_time& set);
