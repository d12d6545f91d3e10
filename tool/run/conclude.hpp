// The conclusion of each file, in listing order, whichever thread set its
// time: what its folder's probe teaches, what is said of it, and the tally.
#pragma once

#include <cstdint>

#include "run/run_state.hpp"

// Whether a job handed out now is its folder's probe: the walk waits for
// its answer, which decides how the folder's other files are set.
bool probing(const run_state& run);

void conclude(run_state& run, const stamp_job& job);

// Standard output failed (error): said once, however many files were on
// their way; the run stops, and this file is left alone.
void output_failed(run_state& run, int error);

// Files the run stopped before: left alone, and counted as not reached.
void not_reached(run_state& run, std::int64_t count);
