// What the run knows of a folder's file system: whether it keeps the
// times it is given. The first file a folder stamps is read back to find
// out (the probe); where the file system does not keep them, every file of
// the folder is. Only a probe teaches, so that what a file goes through
// never depends on how many threads stamp the files before it.
#pragma once

#include <chrono>

#include "system/careful_write.hpp"

enum class folder_trust { unknown, keeps, checks_each };

struct folder_knowledge {
  folder_trust trust = folder_trust::unknown;
  // A probe of whole seconds says nothing of fractions: whether the folder
  // keeps them is learnt from the first time with a fraction that is read
  // back, and until then every such time is.
  bool fractions_kept = false;
  bool rounding_said = false;  // "keeps times in steps" is said once per folder
  // How long a time takes to set here, from the first files, set by the
  // walk itself: quick (a local disk, tmpfs) keeps the walk setting them;
  // slow (a share) hands them to the workers.
  enum class speed { unknown, quick, slow } sets = speed::unknown;
  bool round_trips = false;  // slow as a share is: each set takes over 100 µs
  int sets_timed = 0;
  std::chrono::nanoseconds set_time{0};
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

// Whether a time has a part below the second.
inline bool has_fraction(const file_time& t) {
  return (t.tick - std::chrono::floor<std::chrono::seconds>(t.tick)).count() != 0 ||
         t.nanoseconds != 0;
}

// Whether a time set in a folder of that knowledge must be read back: the
// folder's trust, or a fraction the folder has not shown it keeps.
inline bool must_verify(const folder_knowledge& folder, const file_time& t) {
  return must_verify(folder.trust) || (has_fraction(t) && !folder.fractions_kept);
}
