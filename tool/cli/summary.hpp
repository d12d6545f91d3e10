// The last line of a run: what it came to.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What a run came to, for its last line: how many files were stamped,
// how many left alone and why in a word, and (where it is given) how long
// it took: "118 files stamped; 2 of 120 selected files were left alone
// (1 no date, 1 not set)".
struct run_tally {
  std::int64_t selected = 0;
  std::int64_t left_alone = 0;
  std::int64_t no_date = 0;  // of those left alone
  std::int64_t not_set = 0;  // the rest were not reached: the run stopped
  bool dry_run = false;
};

// How a run ended: the whole folder walked, or stopped before it was
// (standard output or the journal broke, the file system turned
// read-only), or interrupted (Ctrl-C, SIGTERM, a closed terminal). A run
// that stopped early did not look at the rest of the folder, so its counts
// are no total, and its line says so.
enum class run_end { walked, stopped, interrupted };

// undo: the command that undoes the run, said when it was interrupted;
// empty where there is none (no journal, a dry run). zone: the zone the
// names were read in ("names read as UTC"), said after the count where a
// time was read in one: "3 files stamped (names read as UTC)"; empty where
// none was.
std::string run_summary(const run_tally& tally, std::optional<double> seconds,
                        run_end end = run_end::walked, const std::string& undo = {},
                        const std::string& zone = {});
