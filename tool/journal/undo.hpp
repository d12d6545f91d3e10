// Undoing the runs a journal recorded: --undo FILE.
#pragma once

#include <string>

#include "system/output.hpp"
#include "system/system.hpp"

// For each record, newest first: if the file still has the time the run
// set, puts its old time back; otherwise leaves it alone and says so. With
// dry_run, only says what it would restore. The journal is held for the
// undo alone (no run appends meanwhile), and nothing is restored from one
// that cannot be read or does not parse. Returns the exit status: 0 when
// every record was restored (or needed nothing), 1 when any was not, 2 for
// a journal that cannot be read or parsed.
int undo_journal(const std::string& path, bool dry_run, const system_calls& system,
                 const run_output& output);
