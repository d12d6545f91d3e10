// Which time a selected file gets, or why it gets none: everything about
// stamping that needs no disk.
//
// Errors: none as calls; a file that gets no time has a decision whose
// refusal says why in a word (no date, out of range), and why in a phrase.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "decide/tick_time.hpp"
#include "names/date_pattern.hpp"

// The zone a name's time was placed in.
enum class zone_basis {
  utc_by_default,  // a local-time shape, read as UTC as no zone was named
  utc,             // as UTC, by --utc
  local,           // in the local zone (--local, or --tz ZONE)
  fixed,           // at --tz's fixed offset
  utc_shape,       // the shape writes UTC (Pixel)
  instant,         // the name names one instant (an offset, epoch milliseconds)
  sidecar,         // the instant a Takeout sidecar gives
};

// Why a file gets no time: no date could be read for it, or the one read
// cannot be set (it falls outside the years a file time holds).
enum class refusal { none, no_date, out_of_range };

struct stamp_decision {
  std::optional<file_time> time;  // the time to set; nullopt when the file is left alone
  refusal refused = refusal::none;
  std::string why;                  // for a refusal: what is wrong, in a phrase
  std::optional<std::string> read;  // what a cut left, to show in the message
  zone_basis basis = zone_basis::utc_by_default;
  bool auto_reads = false;  // no date in the base form, but --auto reads one
};

// How a basis is said: "UTC, as no zone was named", "local time", ...
std::string_view describe(zone_basis basis);

// How the names of a run are read and their times placed.
struct time_rule {
  bool auto_date = false;  // --auto
  date_pattern pattern;    // --format, compiled; empty for none
  bool seconds = false;    // --seconds
  bool date_only = false;  // a date with no time is stamped at 00:00
  bool local = false;      // local time rather than UTC (--local, or --tz with a zone)
  bool utc = false;        // --utc: UTC, and said so
  std::optional<std::chrono::minutes> fixed_offset;  // --tz +05:30
  ticks shift{};                                     // the hour shift
  bool show_read = false;                            // a cut was made: a refusal says what it left
  int latest_year = 30827;   // epoch milliseconds name no year after this (next year)
  bool video_local = false;  // --video-local: a video's header time is a local time
};

// The time that date_text (nullopt: the cuts left none) names under the
// options: read, placed in the zone with --local, and shifted.
stamp_decision decide_time(std::optional<std::string_view> date_text, const time_rule& rule,
                           utc_offset_fn local_offset);

// The time a reading that holds a real date and time names: placed in its
// zone (an instant by its offset, UTC where the shape or format stores it,
// else the zone the rule names) and shifted.
stamp_decision decide_read_time(const date_reading& reading, const time_rule& rule,
                                utc_offset_fn local_offset);
