// One run over the current folder.
#pragma once

#include "cli/arguments.hpp"
#include "journal/journal.hpp"

// Walks the current folder (and its subfolders with options.recursive) and
// stamps every selected entry. Returns the exit status: 0 when every
// selected entry was stamped, 1 when any was not or a folder could not be
// listed to its end. With a journal, every file's old time is recorded
// before its time is set. With jobs above 1, that many workers set the
// times (as many as the system lets start; --verbose says so when fewer).
int run(const run_options& options, run_journal* journal = nullptr, int jobs = 1);
