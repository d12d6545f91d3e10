// The command line: the base grammar of hour shift, cuts and extensions,
// and the long options.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "decide/decision.hpp"
#include "decide/tick_time.hpp"
#include "names/date_pattern.hpp"

struct run_options {
  bool shift_given = false;    // some word began with "+" or "-"
  ticks shift{};               // the hour shift
  std::int64_t front_cut = 0;  // characters cut off the front of a stem, >= 0
  std::int64_t back_cut = 0;   // characters cut off its back; negative cuts nothing
  // The words of the command line, long options left out, in order. They
  // decide the selection, and every one of them is an extension to match.
  std::vector<std::string> words;
  bool dry_run = false;
  bool local = false;
  bool utc = false;  // --utc: names are UTC, and that is meant
  std::string tz;    // --tz: a zone's name or a fixed offset; empty for none
  bool seconds = false;
  bool recursive = false;
  std::string directory;   // --directory: the folder to run in; empty for the current one
  bool auto_date = false;  // --auto: find the date in any shape, anywhere in the name
  bool date_only = false;  // a date with no time is stamped at 00:00
  std::string format;      // --format: the pattern as given; empty for none
  bool takeout = false;    // --takeout: times from Google Takeout's JSON sidecars first
  std::string journal;     // --journal: the file to record old times in; empty for none
  std::string undo;        // --undo: the journal to undo; empty for a run
  std::string jobs_text;   // --jobs as given
  int jobs = 0;            // files stamped at once, 1 to 64; 0: chosen by the file system
  bool verbose = false;    // say how the run was set up
  bool quiet = false;      // no per-file lines and no summary; errors all the same
  bool created = false;    // set the creation time too (Windows)
  // Set by the session from the clock, not by the command line:
  int latest_year = 30827;  // epoch milliseconds name no later year
  bool warn_utc = false;    // names read as UTC on a computer whose zone is not UTC
  date_pattern pattern;     // and as read
  std::optional<std::chrono::minutes> tz_offset;  // --tz as a fixed offset
};

enum class command { run, help, version, usage_error };

struct parsed_command {
  command what = command::run;
  run_options options;
  std::string error;  // for usage_error: what is wrong, for a message
};

// Reads the arguments after the program's name. Never touches the disk.
parsed_command read_arguments(const std::vector<std::string_view>& arguments);

// How the run's names are read, from its options.
time_rule time_rule_of(const run_options& options);

// The largest hour shift either way whose tick count fits in 64 bits.
inline constexpr std::int64_t max_shift_hours =
    std::chrono::duration_cast<std::chrono::hours>(ticks::max()).count();
