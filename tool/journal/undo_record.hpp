// What undoing one record does: its file read, the rule asked, the old
// time put back (or, in a dry run, said), and what is said of it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "journal/journal_text.hpp"
#include "system/output.hpp"
#include "system/system.hpp"

// A file whose time is neither of its newest record's: an older record of
// the same file may explain it (the journal was undone before), so it is
// said only at the end.
struct doubt {
  std::string path;
  file_time now;
  file_time set;
  bool explained = false;
};

// What an undo keeps while it goes, newest record first.
struct undo_state {
  const system_calls& system;
  const run_output& output;
  bool dry_run;
  std::int64_t records = 0;
  std::int64_t restored = 0;
  std::int64_t left_alone = 0;
  bool output_failed = false;
  // Files are told apart by what they are, not by the name that reached
  // them: a link and its target are one file.
  using file_key = std::pair<unsigned long long, unsigned long long>;
  std::vector<doubt> doubts{};
  std::map<file_key, std::size_t> doubt_of{};  // its place in doubts
  // A dry run: the times its files would have after the restores said so
  // far, so that it follows the undo it shows.
  std::map<file_key, file_time> would_have{};
};

enum class outcome { done, output_failed };

// Undoes one record of the file reached as file, whose full path is path.
outcome undo_one(undo_state& state, const file_ref& file, const std::string& path,
                 const journal_line& record);

// Once every record is undone: the files left alone whose time no older
// record explains, and how many were left alone, or that nothing needed
// restoring.
void say_undone(undo_state& state, const std::string& journal_path);
