#include "journal/undo_record.hpp"

#include <cstring>

#include "journal/restore_rule.hpp"
#include "names/quoting.hpp"
#include "system/careful_write.hpp"

namespace {

void explain(undo_state& state, const std::string& path) {
  const auto found = state.doubt_of.find(path);
  if (found != state.doubt_of.end()) state.doubts[found->second].explained = true;
}

std::string why_not(const undo_state& state, int error) {
  return error == state.system.folder_error ? "it is a folder" : state.system.error_text(error);
}

}  // namespace

outcome undo_one(undo_state& state, const std::string& path, const journal_line& record) {
  const file_ref file{nullptr, nullptr, kind_unknown, path.c_str()};
  file_time now;
  const auto simulated = state.would_have.find(path);
  if (simulated != state.would_have.end()) {
    now = simulated->second;
  } else if (const int error = state.system.read_time(file, now)) {
    say(state.output, "cannot restore " + in_quotes(path) + ": " + why_not(state, error));
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
  if (const int error = state.output.out(line)) {
    say(state.output, std::string("cannot write to standard output: ") + std::strerror(error));
    return outcome::output_failed;
  }
  if (state.dry_run) {
    state.would_have[path] = record.before;
    ++state.restored;
    return outcome::done;
  }
  const set_result result = set_write_time(state.system, file, record.before);
  const bool restored = result.fate == set_fate::set || result.fate == set_fate::rounded;
  if (restored && record.created_before) {
    // The run set the creation time too (--created): it goes back as well.
    if (const int error = state.system.write_created(file, *record.created_before)) {
      say(state.output, "cannot restore the creation time of " + in_quotes(path) + ": " +
                            state.system.error_text(error));
      ++state.left_alone;
      return outcome::done;
    }
  }
  if (restored) {
    ++state.restored;
    return outcome::done;
  }
  say(state.output, "cannot restore " + in_quotes(path) + ": " +
                        (result.fate == set_fate::failed
                             ? why_not(state, result.error)
                             : "the file system does not hold " + format_utc(record.before)));
  ++state.left_alone;
  return outcome::done;
}
