// Reading a journal to undo it: nothing is restored from a file that is
// not a whole journal, so every line is checked first.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "decide/tick_time.hpp"
#include "journal/journal_reading.hpp"

// One run of a journal.
struct run_folder {
  std::int64_t offset = 0;  // where its folder line starts
  std::string folder;
  std::optional<file_time> started;  // when it began; none in journals of earlier versions
  std::int64_t records = 0;          // its file records
  bool undone = false;               // an 'undone' line names it
};

struct checked_journal {
  std::vector<run_folder> runs;  // in the order the runs were made
  bool torn = false;             // the last line is a record cut short, to pass over
  std::int64_t whole = 0;        // the size of its whole lines: where a torn one starts
};

// Checks a journal: it begins with the journal's first line, every line is
// a record, and file records follow a folder line; a last line without its
// line end that is no record is torn, and passed over. The message of a
// failure, or empty.
std::string check_journal(const journal_reader& reader, const std::string& path,
                          checked_journal& journal);
