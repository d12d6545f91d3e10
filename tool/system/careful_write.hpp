// Setting a file's time so that it is the time the run reports, or the
// file is left as it was and the run says so.
#pragma once

#include <optional>

#include "system/system.hpp"

enum class set_fate {
  set,           // the file holds the time
  rounded,       // it holds the time in its file system's steps (how_kept)
  not_held,      // the file system kept another time; the old one is back
  not_restored,  // it kept another time, and the old one did not hold either
  failed,        // a call failed: error says which way
};

struct set_result {
  set_fate fate = set_fate::set;
  int error = 0;  // with failed: the system's code
  // With rounded: the time the file holds; with not_held: what the file
  // system kept instead; with not_restored: what the file holds now, when
  // it could be read; with failed: the time written, when the file holds
  // it all the same (the write was made, and its answer lost).
  std::optional<file_time> now;
};

// Sets the file's last-modified time to t. A time inside the window that
// every common file system holds costs one write. Outside it, or with
// verify, the old time is kept, t written and read back, and if the file
// system kept something else the old time is put back.
set_result set_write_time(const system_calls& system, const file_ref& file, const file_time& t,
                          bool verify = false);
