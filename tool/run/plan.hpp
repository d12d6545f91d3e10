// What a run does, resolved once from the command line and the machine
// before anything is touched (app/resolve): which entries it selects, how
// each file's time is found, and how it runs.
#pragma once

#include <string>
#include <vector>

#include "decide/decision.hpp"
#include "names/selection.hpp"
#include "sources/chain.hpp"

struct run_plan {
  selection_rule selection;
  time_rule rule;                        // how a name's time is read and placed
  utc_offset_fn local_offset = nullptr;  // the local zone (--local, --tz with a zone's name)
  time_chain chain;                      // where a file's time comes from, in order
  bool recursive = false;
  bool dry_run = false;
  bool quiet = false;        // no line for each file, no summary
  bool verbose = false;      // how each file's time was found
  bool created = false;      // the creation time is set too (Windows), and journaled
  int jobs = 1;              // files stamped at once
  bool warn_utc = false;     // local-time names are read as UTC on a computer whose zone is not
  std::string folder = ".";  // the run's folder, as the user named it, for messages
  std::vector<std::string> notes;  // said on standard error before the first file
  std::string undo_command;        // what undoes the run ("velmora --undo"); empty for none
  std::string zone_said;           // for the summary: "names read as UTC", ...
  std::string zone_note;           // said before the first file is announced; empty for none
};
