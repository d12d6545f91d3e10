// A prepared batch checked and recorded before any of its files is set:
// files of one name among others of another time are left alone, and the
// journal's records of the rest written and synced in one go.
#pragma once

#include <cstddef>
#include <vector>

#include "run/run_state.hpp"

// Checks and records a prepared batch's first count jobs; false, said,
// when the run stops before its files: they are not reached.
bool check_and_record(run_state& run, std::vector<stamp_job>& jobs, std::size_t count);
