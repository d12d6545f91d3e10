// Reading a journal to undo it: nothing is restored from a file that is
// not a whole journal, so every line is checked first.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "journal/journal_reading.hpp"

struct run_folder {
  std::int64_t offset;  // where its folder line starts
  std::string folder;
};

struct checked_journal {
  std::vector<run_folder> runs;  // in the order the runs were made
  bool torn = false;             // the last line is a record cut short, to pass over
};

// Checks a journal: it begins with the journal's first line, every line is
// a record, and file records follow a folder line; a last line without its
// line end that is no record is torn, and passed over. The message of a
// failure, or empty.
std::string check_journal(const journal_reader& reader, const std::string& path,
                          checked_journal& journal);
