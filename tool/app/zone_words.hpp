// The zone that local-time names are read in, as --tz, --local and --utc
// give it: read into the time rule, and said in words.
#pragma once

#include <optional>
#include <string>

#include "app/resolve.hpp"

// Reads the zone into rule; a --tz that names no zone is a usage error:
// its message.
std::optional<std::string> read_zone(const typed_options& o, time_rule& rule);

// The line a run says first: the zone its names are read in.
std::string zone_line(const typed_options& o, const time_rule& rule, const plan_facts& facts);

// The same in a few words, for the summary: "names read as UTC".
std::string zone_said(const typed_options& o, const time_rule& rule, const plan_facts& facts);
