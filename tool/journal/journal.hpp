// The journal a run keeps with --journal: the old time of every file it
// stamps, written and synced before the file's time is set.
#pragma once

#include <optional>
#include <string>

#include "decide/tick_time.hpp"

struct run_journal {
  int descriptor = -1;
  std::string path;
  std::string pending;  // records not yet written
  std::size_t pending_records = 0;
};

// Opens the journal for appending, refusing a file that is not one, and
// checks that it takes a write. The message of a failure, or nullopt.
std::optional<std::string> open_journal(const std::string& path, run_journal& journal);

// Names the folder that the run's records are relative to, and syncs it.
std::optional<std::string> start_journal_run(run_journal& journal, const std::string& folder);

void add_record(run_journal& journal, std::string_view path, const file_time& before,
                const file_time& set);

// Writes the records added since the last commit and syncs them; 0 or errno.
int commit_records(run_journal& journal);

void close_journal(run_journal& journal);
