// Which runs of a journal an undo undoes, what it says of them, and the
// marks it leaves: pure but for the marks, written through the system.
#pragma once

#include <string>
#include <vector>

#include "journal/journal_check.hpp"
#include "system/output.hpp"

// The places in journal.runs of the runs to undo: every run not undone
// yet, or only the newest of them.
std::vector<std::size_t> runs_to_undo(const checked_journal& journal, bool newest_only);

// "the run in '/home/ann/Photos' of 2026-12-08 20:31:00 UTC (312 files)"
std::string describe_run(const run_folder& run);

// The runs the journal keeps, newest first, a line each on standard
// output: when it began, how many files, its folder, and whether it was
// undone. 0, or the error that stopped standard output.
int list_runs(const checked_journal& journal, const run_output& output);

// Appends an 'undone' line for each run (those of earlier versions, with
// no time, cannot be named) and syncs them; 0 or errno.
int mark_undone(const system_calls& system, int descriptor, const checked_journal& journal,
                const std::vector<std::size_t>& runs);
