#include "journal/undo_runs.hpp"

#include "journal/journal_text.hpp"
#include "names/quoting.hpp"

namespace {

// When a run began, to the second.
std::string began(const run_folder& run) {
  if (!run.started) return "(no time)";
  return format_utc(std::chrono::floor<std::chrono::seconds>(run.started->tick));
}

}  // namespace

std::vector<std::size_t> runs_to_undo(const checked_journal& journal, bool newest_only) {
  std::vector<std::size_t> chosen;
  for (std::size_t i = journal.runs.size(); i-- > 0;) {
    if (journal.runs[i].undone) continue;
    chosen.insert(chosen.begin(), i);
    if (newest_only) break;
  }
  return chosen;
}

std::string describe_run(const run_folder& run) {
  std::string text = "the run in " + in_quotes(run.folder);
  if (run.started) text += " of " + began(run);
  return text + " (" + std::to_string(run.records) + (run.records == 1 ? " file)" : " files)");
}

int list_runs(const checked_journal& journal, const run_output& output) {
  std::string lines;
  for (std::size_t i = journal.runs.size(); i-- > 0;) {
    const run_folder& run = journal.runs[i];
    std::string quoted;
    lines.append(began(run));
    lines.append("\t").append(std::to_string(run.records));
    lines.append(run.records == 1 ? " file\t" : " files\t");
    lines.append(shown_path(run.folder, quoted));
    lines += run.undone ? "\tundone\n" : "\n";
  }
  return lines.empty() ? 0 : output.out(lines);
}

int mark_undone(const system_calls& system, int descriptor, const checked_journal& journal,
                const std::vector<std::size_t>& runs) {
  std::string lines;
  for (const std::size_t i : runs) {
    if (journal.runs[i].started) lines += undone_line(*journal.runs[i].started);
  }
  if (lines.empty()) return 0;
  // A torn last record is cut off first, as the next run would cut it.
  if (journal.torn) {
    if (const int error = system.cut_back(descriptor, journal.whole)) return error;
  }
  if (const int error = system.append(descriptor, lines)) return error;
  return system.sync(descriptor);
}
