#include <chrono>
#include <optional>
#include <string>

#include "cli/summary.hpp"
#include "platform/console.hpp"
#include "stamp/walk.hpp"

// What is said once the walk is over, on standard error: what came of the
// selection, the zone the names were read in, and the run's summary.
void report_end(const walk_state& state, std::chrono::steady_clock::time_point started) {
  const run_options& o = state.options;
  // Said last, so that a long run's few refusals are not lost in scrolling.
  if (state.selected == 0 && !state.stopped) {
    report(nothing_selected(o, o.directory.empty() ? "." : o.directory, state.clues));
  }
  if (state.selected > 0 && !state.stopped) {
    if (const std::string line = unmatched_words(o, state.clues); !line.empty()) report(line);
  }
  if (o.warn_utc && !o.dry_run && state.utc_by_default > 0) {
    report(
        "the names were read as UTC, though this computer's zone is not UTC; --local reads "
        "them as local time, --tz ZONE in another zone, and --utc says UTC is meant");
  }
  // The last line sums the run up; a person at a terminal hears how long it
  // took too (a log, where runs are compared, does not).
  if (state.selected > 0 && !o.quiet) {
    const run_tally tally{state.selected, state.left_alone, state.no_date, state.not_set,
                          o.dry_run};
    std::optional<double> seconds;
    if (is_terminal(stderr)) {
      seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    }
    report(run_summary(tally, seconds));
  }
}
