#include "journal/undo.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "journal/journal.hpp"
#include "journal/journal_check.hpp"
#include "journal/undo_reach.hpp"
#include "journal/undo_record.hpp"
#include "journal/undo_runs.hpp"
#include "names/quoting.hpp"

namespace {

// A file's path as the system writes it: the run's folder as the journal
// has it, the rest with the system's separator ('Z:\\photos\\a\\b.jpg').
std::string as_written(const system_calls& system, std::string path, std::size_t root) {
  if (system.separator != '/')
    std::replace(path.begin() + static_cast<std::ptrdiff_t>(root), path.end(), '/',
                 system.separator);
  return path;
}

// The records of the chosen runs, newest first, each undone. chosen holds
// places in journal.runs, oldest first.
int undo_records(undo_state& state, const journal_reader& reader, const checked_journal& journal,
                 const std::vector<std::size_t>& chosen, const std::string& path) {
  const std::vector<run_folder>& runs = journal.runs;
  backward_lines lines = read_backwards(reader);
  undo_reach reach{state.system, {}, nullptr};
  struct held {  // the folder held open is let go on every way out
    undo_reach& reach;
    ~held() { let_go(reach); }
  } holding{reach};
  std::string line;
  std::int64_t offset = 0;
  std::size_t run = runs.size();     // the run the lines read belong to
  std::size_t next = chosen.size();  // chosen[next - 1]: the newest chosen run not passed
  while (next > 0 && previous_line(lines, line, offset)) {
    while (run > 0 && runs[run - 1].offset > offset) --run;
    while (next > 0 && (run == 0 || run - 1 < chosen[next - 1])) --next;  // passed, before it
    if (next == 0) break;
    if (run - 1 != chosen[next - 1]) continue;  // a run not chosen
    const journal_line record = parse_journal_line(line);
    if (record.kind != line_kind::file) continue;
    ++state.records;
    const std::string& root = runs[run - 1].folder;
    const std::string full = root + record.path.substr(1);  // "./a" -> "/a"
    if (const int error = reach_folder(reach, root, record.path)) {
      say(state.output, "cannot restore " + in_quotes(as_written(state.system, full, root.size())) +
                            ": " + state.system.error_text(error));
      ++state.left_alone;
      continue;
    }
    const file_ref file{reach.folder, full.c_str() + full.rfind('/') + 1,
                        record.link ? kind_link : kind_regular, full.c_str()};
    if (undo_one(state, file, as_written(state.system, full, root.size()), record) ==
        outcome::output_failed) {
      return 1;
    }
  }
  if (lines.error != 0) {
    say(state.output,
        "cannot read the journal " + in_quotes(path) + " to its start; stopped there");
    return 1;
  }
  say_undone(state, path);
  return state.left_alone > 0 ? 1 : 0;
}

// Opens the journal for the undo alone (to mark the runs it undoes, where
// it may write), and checks it whole; the message of what stops the undo,
// or empty.
std::string open_checked(const system_calls& system, const std::string& path, int& descriptor,
                         bool& writable, std::int64_t& size, checked_journal& journal) {
  const std::string from = "cannot undo from " + in_quotes(path) + ": ";
  int error = system.open_updating(path, descriptor);
  writable = error == 0;
  if (error != 0 && error != ENODEV && error != ENOENT)
    error = system.open_reading(path, descriptor);
  if (error != 0) {
    if (error == ENODEV) return from + "it is not a file";
    return "cannot read the journal " + in_quotes(path) + ": " + std::strerror(error);
  }
  file_identity held;
  if (const int locked = lock_journal(system, path, descriptor, held)) {
    return locked == EWOULDBLOCK
               ? from + "another run is writing to it"
               : "cannot lock the journal " + in_quotes(path) + ": " + std::strerror(locked);
  }
  if (const int sized = system.size_of(descriptor, size)) {
    return "cannot read the journal " + in_quotes(path) + ": " + std::strerror(sized);
  }
  return check_journal({system, descriptor, size}, path, journal);
}

int undo_checked(const undo_request& request, const system_calls& system, const run_output& output,
                 int descriptor, bool writable, std::int64_t size, const checked_journal& journal) {
  const std::string& path = request.path;
  if (request.list) return list_runs(journal, output) == 0 ? 0 : 1;
  if (journal.torn) {
    say(output, "the last record of " + in_quotes(path) +
                    " is torn (its run stopped while writing it, before it stamped its file); "
                    "it is passed over");
  }
  if (journal.runs.empty()) {
    // As a run leaves it when it is stopped before its first record: it
    // stamped nothing.
    say(output, "there is nothing to undo: " + in_quotes(path) + " holds no run yet");
    return 0;
  }
  const std::vector<std::size_t> chosen = runs_to_undo(journal, request.newest_only);
  if (chosen.empty()) {
    say(output, "nothing is left to undo: every run of " + in_quotes(path) + " is undone");
    return 0;
  }
  if (request.newest_only) {
    say(output, std::string(request.dry_run ? "would undo " : "undoing ") +
                    describe_run(journal.runs[chosen.front()]));
  }
  undo_state state{system, output, request.dry_run};
  const int status = undo_records(state, {system, descriptor, size}, journal, chosen, path);
  if (request.dry_run || state.output_failed) return status;
  const int marked = writable ? mark_undone(system, descriptor, journal, chosen) : EACCES;
  if (marked != 0) {
    say(output, "cannot mark the run undone in " + in_quotes(path) + ": " + std::strerror(marked) +
                    "; an undo again restores what it restored, which needs nothing");
  }
  return status;
}

}  // namespace

int undo_journal(const undo_request& request, const system_calls& system,
                 const run_output& output) {
  int descriptor = -1;
  bool writable = false;
  std::int64_t size = 0;
  checked_journal journal;
  const std::string error = open_checked(system, request.path, descriptor, writable, size, journal);
  int status = 2;
  if (!error.empty()) {
    say(output, error);
  } else {
    status = undo_checked(request, system, output, descriptor, writable, size, journal);
  }
  if (descriptor >= 0) system.close(descriptor);
  return status;
}
