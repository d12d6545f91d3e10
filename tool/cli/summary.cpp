#include "cli/summary.hpp"

#include <cstdio>
#include <vector>

std::string run_summary(const run_tally& t, std::optional<double> seconds) {
  const std::int64_t stamped = t.selected - t.left_alone;
  std::string line = std::to_string(stamped) + (stamped == 1 ? " file " : " files ") +
                     (t.dry_run ? "would be stamped" : "stamped");
  if (t.left_alone > 0) {
    line += "; " + std::to_string(t.left_alone) + " of " + std::to_string(t.selected) +
            " selected files were left alone (";
    std::vector<std::string> why;
    if (t.no_date > 0) why.push_back(std::to_string(t.no_date) + " no date");
    if (t.not_set > 0) why.push_back(std::to_string(t.not_set) + " not set");
    const std::int64_t stopped = t.left_alone - t.no_date - t.not_set;
    if (stopped > 0) why.push_back(std::to_string(stopped) + " not reached");
    for (std::size_t i = 0; i < why.size(); ++i) line += (i > 0 ? ", " : "") + why[i];
    line += ")";
  }
  if (seconds) {
    char took[32];
    std::snprintf(took, sizeof took, ", in %.2f s", *seconds);
    line += took;
  }
  return line;
}
