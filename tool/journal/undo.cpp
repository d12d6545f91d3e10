#include "journal/undo.hpp"

#include <unordered_map>
#include <vector>

#include "journal/journal_check.hpp"
#include "journal/journal_text.hpp"
#include "journal/lines_backwards.hpp"
#include "journal/restore_rule.hpp"
#include "platform/careful_write.hpp"
#include "platform/console.hpp"

namespace {

// A file whose time is neither of its newest record's: an older record of
// the same file may explain it (the journal was undone before), so it is
// said only at the end.
struct doubt {
  std::string path;
  file_time now;
  file_time set;
  bool explained = false;
};

struct undo_state {
  bool dry_run;
  std::int64_t records = 0;
  std::int64_t restored = 0;
  std::int64_t left_alone = 0;
  std::vector<doubt> doubts{};
  std::unordered_map<std::string, std::size_t> doubt_of{};  // path: its place in doubts
  // A dry run: the times its files would have after the restores said so
  // far, so that it follows the undo it shows.
  std::unordered_map<std::string, file_time> would_have{};
};

void explain(undo_state& state, const std::string& path) {
  const auto found = state.doubt_of.find(path);
  if (found != state.doubt_of.end()) state.doubts[found->second].explained = true;
}

enum class outcome { done, output_failed };

outcome undo_one(undo_state& state, const std::string& path, const journal_line& record) {
  const file_ref file{nullptr, nullptr, path.c_str()};
  file_time now;
  const auto simulated = state.would_have.find(path);
  if (simulated != state.would_have.end()) {
    now = simulated->second;
  } else if (const int error = read_modified_time(file, now)) {
    report("cannot restore " + in_quotes(path) + ": " +
           (error == error_is_directory ? std::string("it is a folder") : error_text(error)));
    ++state.left_alone;
    return outcome::done;
  }
  switch (step_for(now, record.before, record.set)) {
    case restore_step::unchanged:
      explain(state, path);
      return outcome::done;
    case restore_step::changed:
      if (!state.doubt_of.contains(path)) {
        state.doubt_of.emplace(path, state.doubts.size());
        state.doubts.push_back({path, now, record.set});
      }
      return outcome::done;
    case restore_step::restore:
      break;
  }
  explain(state, path);
  std::string quoted;
  const std::string shown(shown_path(path, quoted));
  const std::string line =
      state.dry_run ? "Would restore timestamp:\t" + shown + "\t" + format_utc(record.before) + "\n"
                    : "Restoring timestamp:\t" + shown + "\n";
  if (!print_out(line)) return outcome::output_failed;
  if (state.dry_run) {
    state.would_have[path] = record.before;
    ++state.restored;
    return outcome::done;
  }
  const set_result result = set_write_time(file, record.before);
  if (result.error == 0 && record.created_before) {
    // The run set the creation time too (--created): it goes back as well.
    if (const int error = write_creation_time(file, *record.created_before)) {
      report("cannot restore the creation time of " + in_quotes(path) + ": " + error_text(error));
      ++state.left_alone;
      return outcome::done;
    }
  }
  if (result.error == 0) {
    ++state.restored;
    return outcome::done;
  }
  report("cannot restore " + in_quotes(path) + ": " +
         (result.error == error_not_held || result.error == error_not_restored
              ? "the file system does not hold " + format_utc(record.before)
              : error_text(result.error)));
  ++state.left_alone;
  return outcome::done;
}

}  // namespace

int undo_journal(const std::string& path, bool dry_run) {
  std::ifstream file;
  checked_journal journal;
  if (const std::string error = check_journal(path, file, journal); !error.empty()) {
    report(error);
    return 2;
  }
  if (journal.torn) {
    report("the last record of " + in_quotes(path) +
           " is torn (its run stopped while writing it, before it stamped its file); it is "
           "passed over");
  }
  undo_state state{.dry_run = dry_run};
  std::vector<run_folder>& runs = journal.runs;
  backward_lines lines = read_backwards(file);
  std::string line;
  std::int64_t offset = 0;
  while (previous_line(lines, line, offset)) {
    const journal_line record = parse_journal_line(line);
    if (record.kind != line_kind::file) continue;
    ++state.records;
    while (runs.back().offset > offset) runs.pop_back();  // the run this record belongs to
    const std::string full = runs.back().folder + record.path.substr(1);  // "./a" -> "/a"
    if (undo_one(state, full, record) == outcome::output_failed) {
      report_output_failure();
      return 1;
    }
  }
  if (lines.failed) {
    report("cannot read the journal " + in_quotes(path) + " to its start; stopped there");
    return 1;
  }
  for (const doubt& d : state.doubts) {
    if (d.explained) continue;
    report("left " + in_quotes(d.path) + " alone: its time has changed since the run (it is " +
           format_utc(d.now) + ", the run set " + format_utc(d.set) + ")");
    ++state.left_alone;
  }
  if (state.left_alone > 0) {
    report(std::to_string(state.left_alone) + " of " + std::to_string(state.records) +
           " journal records were left alone");
  } else if (state.restored == 0 && state.records > 0) {
    report("nothing was left to restore: every file of " + in_quotes(path) + " has its old time");
  }
  return state.left_alone > 0 ? 1 : 0;
}
