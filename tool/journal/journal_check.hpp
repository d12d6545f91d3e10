// Reading a journal to undo it: nothing is restored from a file that is
// not a whole journal, so every line is checked first.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

struct run_folder {
  std::int64_t offset;  // where its folder line starts
  std::string folder;
};

struct checked_journal {
  std::vector<run_folder> runs;  // in the order the runs were made
  bool torn = false;             // the last line is a record cut short, to pass over
};

// Opens path into file and checks it: a regular file that begins with the
// journal's first line, whose every line is a record, and whose file
// records follow a folder line; a last line without its line end that is
// no record is torn, and passed over. The message of a failure, or empty.
std::string check_journal(const std::string& path, std::ifstream& file, checked_journal& journal);
