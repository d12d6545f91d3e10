// What was typed, resolved once into the run's plan: the zone and the
// pattern read, the time sources chained, how many files are stamped at
// once, and the notes to say before the first file. Pure: what it needs
// of the machine comes in as facts, gathered first (session.cpp).
// A value that cannot be resolved is a usage error: its message.
#pragma once

#include <optional>
#include <string>

#include "cli/arguments.hpp"
#include "run/plan.hpp"

struct plan_facts {
  int this_year = 2026;
  bool zone_is_utc = true;  // the local zone is UTC all year
  // The run folder's file system, when every call on it is a round trip
  // ("FUSE", "NFS"); empty for a local one.
  std::string remote_kind;
  utc_offset_fn local_offset = nullptr;
  std::optional<std::string> tz_variable;  // TZ, when it is set
  bool creation_time_settable = true;      // the system has a call that sets it (Windows)
};

std::optional<std::string> resolve_plan(const typed_options& typed, const plan_facts& facts,
                                        run_plan& plan);
