#include "journal/undo_record.hpp"

#include <cstring>

#include "journal/restore_rule.hpp"
#include "names/quoting.hpp"
#include "system/careful_write.hpp"
#include "system/link_rule.hpp"

namespace {

void explain(undo_state& state, const undo_state::file_key& key) {
  const auto found = state.doubt_of.find(key);
  if (found != state.doubt_of.end()) state.doubts[found->second].explained = true;
}

std::string why_not(const undo_state& state, int error) {
  return error == state.system.folder_error ? "it is a folder" : state.system.error_text(error);
}

// The file's time now, as the run reached it: an entry that was no link
// is never followed, and a link only by the rule the run follows; or why
// it cannot be had, said.
std::optional<std::string> time_now(undo_state& state, const file_ref& file,
                                    const journal_line& record, file_time& now,
                                    undo_state::file_key& key) {
  file_facts facts;
  if (const int error = state.system.look(file, facts)) return why_not(state, error);
  if (record.link) {
    if (facts.kind == kind_link && !may_follow(facts, state.system.runner)) {
      return "it is a link that another user owns, which velmora does not follow";
    }
    if (facts.target_error != 0) return why_not(state, facts.target_error);
    if (facts.target_kind == kind_directory) return std::string("it is a folder");
  } else if (facts.kind == kind_link) {
    return std::string("it is now a link, which velmora does not follow");
  } else if (facts.kind == kind_directory) {
    return std::string("it is a folder");
  }
  key = {facts.device, facts.file};
  const auto simulated = state.would_have.find(key);
  now = simulated != state.would_have.end() ? simulated->second : facts.mtime;
  return std::nullopt;
}

}  // namespace

outcome undo_one(undo_state& state, const file_ref& file, const std::string& path,
                 const journal_line& record) {
  file_time now;
  undo_state::file_key key;
  if (const std::optional<std::string> why = time_now(state, file, record, now, key)) {
    say(state.output, "cannot restore " + in_quotes(path) + ": " + *why);
    ++state.left_alone;
    return outcome::done;
  }
  switch (step_for(now, record.before, record.set)) {
    case restore_step::unchanged:
      explain(state, key);
      return outcome::done;
    case restore_step::changed:
      if (!state.doubt_of.contains(key)) {
        state.doubt_of.emplace(key, state.doubts.size());
        state.doubts.push_back({path, now, record.set});
      }
      return outcome::done;
    case restore_step::restore:
      break;
  }
  explain(state, key);
  std::string quoted;
  const std::string line =
      state.dry_run ? "Would restore timestamp:\t" + std::string(shown_path(path, quoted)) + "\t" +
                          format_utc(record.before) + "\n"
                    : "Restoring timestamp:\t" + std::string(shown_last_path(path, quoted)) + "\n";
  if (const int error = state.output.out(line)) {
    say(state.output, std::string("cannot write to standard output: ") + std::strerror(error));
    state.output_failed = true;
    return outcome::output_failed;
  }
  if (state.dry_run) {
    state.would_have[key] = record.before;
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

void say_undone(undo_state& state, const std::string& journal_path) {
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
    say(state.output, "nothing was left to restore: every file of " + in_quotes(journal_path) +
                          " has its old time");
  }
}
