// A long run's progress, for a person who sent standard output to a file:
// files done, the rate, and the folder the walk is in, redrawn in place on
// standard error at most five times a second, and gone when the run ends.
// Only where standard error is a terminal and standard output is not.
#pragma once

#include <chrono>
#include <cstdint>
#include <string_view>

#include "system/output.hpp"

struct progress {
  const run_output* output = nullptr;
  bool shown = false;  // whether the run shows progress at all
  std::chrono::steady_clock::time_point started{};
  std::chrono::steady_clock::time_point drawn{};
  std::int64_t done = 0;
};

// Whether this run shows progress, from where its output goes.
progress start_progress(const run_output& output, bool quiet);

// Counts a file, and redraws the line when it is time; path is the file's.
void count_file(progress& p, std::string_view path);

// Takes the line away.
void end_progress(progress& p);
