// What undoing one record does to its file, from the time the file has
// now: pure, so that every case is a unit test.
#pragma once

#include "decide/kept_time.hpp"

enum class restore_step {
  restore,    // the file has the time the run set, as its file system keeps
              // it (how_kept): put the old one back
  unchanged,  // it has its old time: never stamped, or restored already
  changed,    // someone changed it since the run: leave it alone
};

restore_step step_for(const file_time& now, const file_time& before, const file_time& set);
