// Undoing the runs a journal recorded: --undo FILE.
#pragma once

#include <string>

// For each record, newest first: if the file still has the time the run
// set, puts its old time back; otherwise leaves it alone and says so. With
// dry_run, only says what it would restore. Nothing is restored from a
// journal that cannot be read or does not parse. Returns the exit status:
// 0 when every record was restored (or needed nothing), 1 when any was
// not, 2 for a journal that cannot be read or parsed.
int undo_journal(const std::string& path, bool dry_run);
