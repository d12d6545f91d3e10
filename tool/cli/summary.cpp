#include "cli/summary.hpp"

#include <cstdio>
#include <vector>

namespace {

// "2 no date, 1 not set, 3 not reached"
std::string reasons(const run_tally& t) {
  std::vector<std::string> why;
  if (t.no_date > 0) why.push_back(std::to_string(t.no_date) + " no date");
  if (t.not_set > 0) why.push_back(std::to_string(t.not_set) + " not set");
  const std::int64_t stopped = t.left_alone - t.no_date - t.not_set;
  if (stopped > 0) why.push_back(std::to_string(stopped) + " not reached");
  std::string text;
  for (std::size_t i = 0; i < why.size(); ++i) text += (i > 0 ? ", " : "") + why[i];
  return text;
}

}  // namespace

std::string run_summary(const run_tally& t, std::optional<double> seconds, run_end end,
                        const std::string& undo, const std::string& zone) {
  const std::int64_t stamped = t.selected - t.left_alone;
  std::string line = std::to_string(stamped) + (stamped == 1 ? " file " : " files ") +
                     (t.dry_run ? "would be stamped" : "stamped");
  if (!zone.empty()) line.append(" (").append(zone).append(")");
  if (end != run_end::walked) {
    // Counts of a folder not looked at to its end are no total.
    line.insert(0, end == run_end::interrupted ? "interrupted: " : "stopped early: ");
    if (t.left_alone > 0)
      line += ", " + std::to_string(t.left_alone) + " left alone (" + reasons(t) + ")";
    line += "; the rest of the folder was not looked at";
    if (end == run_end::interrupted && !undo.empty() && stamped > 0) {
      line += "; '" + undo + "' puts back what was stamped";
    }
  } else if (t.left_alone > 0) {
    line += "; " + std::to_string(t.left_alone) + " of " + std::to_string(t.selected) +
            " selected files were left alone (" + reasons(t) + ")";
  }
  if (seconds) {
    char took[32];
    std::snprintf(took, sizeof took, ", in %.2f s", *seconds);
    line += took;
  }
  return line;
}
