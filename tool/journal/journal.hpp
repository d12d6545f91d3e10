// The journal a run keeps with --journal: the old time of every file it
// stamps, written and synced before the file's time is set.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "decide/tick_time.hpp"

struct run_journal {
  int descriptor = -1;
  std::string path;
  std::string pending;  // records not yet written
  std::size_t pending_records = 0;
  std::int64_t whole = 0;  // the journal's size up to its last whole record
  std::string note;        // what opening it mended, to say
};

// Opens the journal for appending, refusing a file that is not one or
// cannot be read, and one another run is writing to. A record torn by a
// run that stopped midway is cut off, and a last record without its line
// end gets one, so that the run starts on a fresh line. The message of a
// failure, or nullopt.
std::optional<std::string> open_journal(const std::string& path, run_journal& journal);

// Names the folder that the run's records are relative to, and syncs it.
std::optional<std::string> start_journal_run(run_journal& journal, const std::string& folder);

void add_record(run_journal& journal, std::string_view path, const file_time& before,
                const file_time& set, const std::optional<file_time>& created_before);

// Writes the records added since the last commit and syncs them; 0 or
// errno. All or nothing: a write that fails or stops short is cut back
// to the last whole record.
int commit_records(run_journal& journal);

void close_journal(run_journal& journal);
