// Whole runs in one process, over the memory system: for the run's tests.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/resolve.hpp"
#include "journal/undo.hpp"
#include "run/run.hpp"
#include "system/memory_system.hpp"

struct memory_run {
  std::string out;
  std::string err;
  int status = -1;
};

// A UTC calendar time as a file time.
inline file_time utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                     int nanosecond = 0) {
  const tick_time t = *to_ticks({year, month, day, hour, minute, second, nanosecond});
  return {t, nanosecond % 100};
}

// The time every file is made with, so that any change shows.
inline const file_time made_at = utc(2001, 2, 3, 4, 5, 6, 123'456'789);

// What a run says first, where no zone is named.
inline const std::string utc_note =
    "velmora: names are read as UTC (--local or --tz ZONE reads them in a zone)\n";

// Runs velmora with these words over the memory system, as main would,
// keeping a journal there at journal_path when one is given.
inline memory_run run_in(memory_system& fs, const std::vector<std::string_view>& words,
                         const std::string& journal_path = {}, const plan_facts& facts = {}) {
  memory_run result;
  const parsed_command parsed = read_arguments(words);
  run_plan plan;
  if (parsed.what != command::run || resolve_plan(parsed.options, facts, plan)) return result;
  const system_calls calls = calls_of(fs);
  memory_console console;
  const run_output output = output_of(console);
  if (journal_path.empty()) {
    result.status = run_tree(plan, calls, output);
  } else {
    run_journal journal;
    if (open_journal(calls, journal_path, journal) ||
        start_journal_run(journal, fs.root, utc(2026, 12, 8, 20, 0))) {
      return result;
    }
    result.status = run_tree(plan, calls, output, &journal);
    close_journal(journal);
  }
  result.out = console.out;
  result.err = console.err;
  return result;
}

inline memory_run undo_in(memory_system& fs, const std::string& journal_path, bool dry = false) {
  memory_console console;
  memory_run result;
  result.status = undo_journal({journal_path, false, dry, false}, calls_of(fs), output_of(console));
  result.out = console.out;
  result.err = console.err;
  return result;
}

// Every regular file's last-modified time, by full path.
inline std::map<std::string, file_time> times_in(memory_system& fs) {
  std::map<std::string, file_time> times;
  for (const auto& [path, file] : fs.entries) {
    if (file->kind == kind_regular) times[path] = file->mtime;
  }
  return times;
}
