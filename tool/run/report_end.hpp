// What a run says once its walk is over.
#pragma once

#include <chrono>

#include "run/run_state.hpp"

// On standard error: what came of the selection, the zone the names were
// read in, and the run's summary, with how long it took on a terminal.
void say_end(run_state& run, std::chrono::steady_clock::time_point started);
