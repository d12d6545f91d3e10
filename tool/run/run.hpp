// One run over the current folder: the walk, the hand-out and the
// conclusion of every selected file (run_state.hpp), reaching the system
// only through its record of calls, and saying everything through output.
//
// Errors: a run never fails as a call: what it meets it says through
// report.cpp, and its result is the exit status.
#pragma once

#include "journal/journal.hpp"
#include "run/plan.hpp"
#include "system/output.hpp"
#include "system/system.hpp"

// Walks the current folder (and its subfolders with --recursive) and
// stamps every selected entry. Returns the exit status: 0 when every
// selected entry was stamped, 1 when any was not or a folder could not be
// listed to its end. With a journal (already started), every file's old
// time is recorded before its time is set.
int run_tree(const run_plan& plan, const system_calls& system, const run_output& output,
             run_journal* journal = nullptr);
