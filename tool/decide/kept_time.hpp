// Whether a time that a file system kept is the time it was given. File
// systems keep times in steps of their own (NTFS 100 ns, many FUSE file
// systems 1 µs or 1 ms, exFAT 10 ms, ext4 with 128-byte inodes 1 s, FAT
// 2 s), cutting a time down or rounding it. The run asks this when it reads
// a time back, and the undo when it finds a file at a time a run set: one
// rule, so that what the run took as set the undo takes as set too.
#pragma once

#include "decide/tick_time.hpp"

enum class kept_as {
  same,      // the time itself (nanoseconds below a tick may be dropped)
  in_steps,  // the time cut down or rounded to a step of 1 µs to 1 s, or 2 s
  other,     // some other time: the file system did not keep it
};

kept_as how_kept(const file_time& kept, const file_time& wanted);
