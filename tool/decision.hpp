// Which time a selected file gets, or why it gets none: everything about
// stamping that needs no disk.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "tool/arguments.hpp"
#include "tool/tick_time.hpp"

inline constexpr std::string_view cannot_read = "cannot read a date from ";
inline constexpr std::string_view cannot_set = "cannot set the time of ";

struct stamp_decision {
  std::optional<file_time> time;  // the time to set; nullopt when the file is left alone
  std::string_view what;          // for a refusal: cannot_read or cannot_set
  std::string why;
  std::optional<std::string> read;  // what a cut left, to show in the message
};

// The time that date_text (nullopt: the cuts left none) names under the
// options: read, placed in the zone with --local, and shifted.
stamp_decision decide_time(std::optional<std::string_view> date_text, const run_options& options,
                           utc_offset_fn local_offset);
