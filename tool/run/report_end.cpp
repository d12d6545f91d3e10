#include "run/report_end.hpp"

#include <optional>
#include <string>
#include <vector>

#include "cli/commands.hpp"
#include "names/quoting.hpp"

void say_end(run_state& run, std::chrono::steady_clock::time_point started) {
  const run_plan& plan = run.plan;
  const conclusion_part& end = run.end;
  // Said last, so that a long run's few refusals are not lost in scrolling.
  if (end.tally.selected == 0 && !end.stopped) {
    say(run.output, nothing_selected(plan.selection, plan.recursive, plan.folder, run.walk.clues));
  }
  if (end.tally.selected > 0 && !end.stopped) {
    const std::string line = unmatched_words(plan.selection, run.walk.clues);
    if (!line.empty()) say(run.output, line);
  }
  if (plan.warn_utc && !plan.dry_run && end.utc_by_default > 0) {
    say(run.output,
        "the names were read as UTC, though this computer's zone is not UTC; --local reads "
        "them as local time, --tz ZONE in another zone, and --utc says UTC is meant");
  }
  if (!run.walk.export_subfolder.empty()) {
    say(run.output, "a Takeout export keeps its photos in subfolders, such as " +
                        in_quotes(run.walk.export_subfolder) + ", which only " +
                        command_line({"--takeout", "--recursive"}) + " walks into");
  }
  if (end.auto_reads > 0) {
    std::vector<std::string> words = {"--auto", "--dry-run"};
    if (plan.recursive) words.insert(words.begin(), "--recursive");
    for (const std::string& word : plan.selection.words) words.push_back(word);
    say(run.output, "--auto reads a date and time in " + std::to_string(end.auto_reads) +
                        " of these names (in the shapes phones and apps write, such as "
                        "IMG_20100910_134012.jpg); " +
                        command_line(words) + " shows the times it would set");
  }
  // The last line sums the run up; a person at a terminal hears how long it
  // took too (a log, where runs are compared, does not).
  if (end.tally.selected > 0 && !plan.quiet) {
    std::optional<double> seconds;
    if (run.output.err_is_terminal) {
      seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    }
    const run_end how = end.interrupted ? run_end::interrupted
                        : end.stopped   ? run_end::stopped
                                        : run_end::walked;
    say(run.output, run_summary(end.tally, seconds, how, plan.undo_command,
                                end.zoned > 0 ? plan.zone_said : std::string()));
  }
}
