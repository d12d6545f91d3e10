#include "journal/undo.hpp"

#include <cerrno>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "journal/journal_check.hpp"
#include "journal/undo_reach.hpp"
#include "journal/undo_record.hpp"
#include "names/quoting.hpp"

namespace {

// The checked journal's records, newest first, each undone.
int undo_records(undo_state& state, const journal_reader& reader, checked_journal& journal,
                 const std::string& path) {
  std::vector<run_folder>& runs = journal.runs;
  backward_lines lines = read_backwards(reader);
  undo_reach reach{state.system, {}, nullptr};
  struct held {  // the folder held open is let go on every way out
    undo_reach& reach;
    ~held() { let_go(reach); }
  } holding{reach};
  std::string line;
  std::int64_t offset = 0;
  while (previous_line(lines, line, offset)) {
    const journal_line record = parse_journal_line(line);
    if (record.kind != line_kind::file) continue;
    ++state.records;
    while (runs.back().offset > offset) runs.pop_back();  // the run this record belongs to
    const std::string& root = runs.back().folder;
    const std::string full = root + record.path.substr(1);  // "./a" -> "/a"
    if (const int error = reach_folder(reach, root, record.path)) {
      say(state.output,
          "cannot restore " + in_quotes(full) + ": " + state.system.error_text(error));
      ++state.left_alone;
      continue;
    }
    const file_ref file{reach.folder, full.c_str() + full.rfind('/') + 1,
                        record.link ? kind_link : kind_regular, full.c_str()};
    if (undo_one(state, file, full, record) == outcome::output_failed) return 1;
  }
  if (lines.error != 0) {
    say(state.output,
        "cannot read the journal " + in_quotes(path) + " to its start; stopped there");
    return 1;
  }
  for (const doubt& d : state.doubts) {
    if (d.explained) continue;
    say(state.output, "left " + in_quotes(d.path) +
                          " alone: its time has changed since the run (it is " + format_utc(d.now) +
                          ", the run set " + format_utc(d.set) + ")");
    ++state.left_alone;
  }
  if (state.left_alone > 0) {
    say(state.output, std::to_string(state.left_alone) + " of " + std::to_string(state.records) +
                          " journal records were left alone");
  } else if (state.restored == 0 && state.records > 0) {
    say(state.output,
        "nothing was left to restore: every file of " + in_quotes(path) + " has its old time");
  }
  return state.left_alone > 0 ? 1 : 0;
}

// Opens the journal for the undo alone, and checks it whole; the message
// of what stops the undo, or empty.
std::string open_checked(const system_calls& system, const std::string& path, int& descriptor,
                         std::int64_t& size, checked_journal& journal) {
  const std::string from = "cannot undo from " + in_quotes(path) + ": ";
  if (const int error = system.open_reading(path, descriptor)) {
    if (error == ENODEV) return from + "it is not a file";
    return "cannot read the journal " + in_quotes(path) + ": " + std::strerror(error);
  }
  if (const int error = system.lock(descriptor)) {
    return error == EWOULDBLOCK
               ? from + "another run is writing to it"
               : "cannot lock the journal " + in_quotes(path) + ": " + std::strerror(error);
  }
  if (const int error = system.size_of(descriptor, size)) {
    return "cannot read the journal " + in_quotes(path) + ": " + std::strerror(error);
  }
  return check_journal({system, descriptor, size}, path, journal);
}

}  // namespace

int undo_journal(const std::string& path, bool dry_run, const system_calls& system,
                 const run_output& output) {
  int descriptor = -1;
  std::int64_t size = 0;
  checked_journal journal;
  const std::string error = open_checked(system, path, descriptor, size, journal);
  int status = 2;
  if (!error.empty()) {
    say(output, error);
  } else {
    if (journal.torn) {
      say(output, "the last record of " + in_quotes(path) +
                      " is torn (its run stopped while writing it, before it stamped its file); "
                      "it is passed over");
    }
    undo_state state{system, output, dry_run};
    status = undo_records(state, {system, descriptor, size}, journal, path);
  }
  if (descriptor >= 0) system.close(descriptor);
  return status;
}
