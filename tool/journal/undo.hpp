// Undoing the runs a journal recorded: --undo [FILE], and --undo --list.
#pragma once

#include <string>

#include "system/output.hpp"
#include "system/system.hpp"

struct undo_request {
  std::string path;          // the journal
  bool newest_only = false;  // the newest run not undone yet (the default journal's undo)
  bool dry_run = false;      // only say what would be restored
  bool list = false;         // only list the runs the journal keeps
};

// For each record of the runs undone, newest first: if the file still has
// the time the run set, puts its old time back; otherwise leaves it alone
// and says so. The runs undone are marked so in the journal, so that the
// next undo goes on with the run before. With dry_run, only says what it
// would restore. The journal is held for the undo alone (no run appends
// meanwhile), and nothing is restored from one that cannot be read or does
// not parse. Returns the exit status: 0 when every record was restored (or
// needed nothing), 1 when any was not, 2 for a journal that cannot be read
// or parsed.
int undo_journal(const undo_request& request, const system_calls& system, const run_output& output);
