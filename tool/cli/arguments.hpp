// The command line as typed: the base grammar of hour shift, cuts and
// extensions, and the long options. What the run makes of it (the zone,
// the pattern compiled, how many jobs) is the plan's (app/resolve).
// A command line that is wrong is a usage error: its message.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "decide/tick_time.hpp"

struct typed_options {
  bool shift_given = false;    // some word began with "+" or "-"
  ticks shift{};               // the hour shift, or --shift's
  std::string shift_text;      // --shift as given
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
  std::string directory;     // --directory: the folder to run in; empty for the current one
  bool auto_date = false;    // --auto: find the date in any shape, anywhere in the name
  bool date_only = false;    // a date with no time is stamped at 00:00
  std::string format;        // --format: the pattern as given; empty for none
  bool takeout = false;      // --takeout: times from Google Takeout's JSON sidecars first
  bool exif = false;         // --exif: times from inside the files (and XMP sidecars) next
  bool video_local = false;  // --video-local: videos' header times are local times
  std::string journal;       // --journal: the file to record old times in; empty for the default
  bool no_journal = false;   // --no-journal: keep none
  bool undo = false;         // --undo: undo rather than run
  std::string undo_file;     // --undo FILE: the journal to undo; empty for the default
  bool list = false;         // --undo --list: list the runs kept
  std::string jobs_text;     // --jobs as given
  int jobs = 0;              // --jobs as a number, 1 to 64; 0 when not given
  bool verbose = false;      // say how the run was set up
  bool quiet = false;        // no per-file lines and no summary; errors all the same
  bool created = false;      // set the creation time too (Windows)
};

enum class command { run, help, version, usage_error };

struct parsed_command {
  command what = command::run;
  typed_options options;
  std::string error;  // for usage_error: what is wrong, for a message
};

// Reads the arguments after the program's name. Never touches the disk.
parsed_command read_arguments(const std::vector<std::string_view>& arguments);

// The largest hour shift either way whose tick count fits in 64 bits.
inline constexpr std::int64_t max_shift_hours =
    std::chrono::duration_cast<std::chrono::hours>(ticks::max()).count();
