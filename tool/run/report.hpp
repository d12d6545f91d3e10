// Everything a run says, in one place: the walk, the workers and the
// conclusion produce outcomes (a job's decision, what came of setting its
// time, the rounding seen), and these turn them into lines.
#pragma once

#include <string>
#include <string_view>

#include "run/one_file.hpp"
#include "run/run_state.hpp"

// What came of a file, in a word: stamped, or left alone and why.
enum class outcome { stamped, no_date, not_set };
outcome outcome_of(const stamp_job& job);

// "Setting timestamp:", a tab and the path, before the file's time is set
// (a dry run says what it would set when it concludes instead): 0, or the
// error that stopped standard output.
int announce(run_state& run, const stamp_job& job);

// The lines of a concluded file: a message on standard error for one left
// alone, a dry run's line for one it would stamp. 0, or the error that
// stopped standard output.
int say_file(run_state& run, const stamp_job& job);

// Once per folder: its file system keeps times in steps.
void say_rounding(run_state& run, const stamp_job& job);

// --verbose: the time a file got, and how it was read.
void say_how_read(run_state& run, const stamp_job& job);
