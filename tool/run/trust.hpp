// What the run knows of a folder's file system: whether it keeps the
// times it is given. The first file a folder stamps is read back to find
// out (the probe); where the file system does not keep them, every file of
// the folder is. Only a probe teaches, so that what a file goes through
// never depends on how many threads stamp the files before it.
#pragma once

#include "system/careful_write.hpp"

enum class folder_trust { unknown, keeps, checks_each };

struct folder_knowledge {
  folder_trust trust = folder_trust::unknown;
  bool rounding_said = false;  // "keeps times in steps" is said once per folder
};

// What a probe's result teaches: a time not held means every file is
// checked; a time kept (to the nanosecond, or in the file system's steps)
// means the folder keeps times; a failure teaches nothing, and the next
// file probes again.
folder_trust learn_trust(const set_result& probe);

// Whether a file must be read back: while the folder is unknown (it is the
// probe) or not trusted.
inline bool must_verify(folder_trust trust) {
  return trust != folder_trust::keeps;
}
