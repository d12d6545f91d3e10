// The three steps of stamping one file, apart so that the middle one can
// run on another thread: announce it on standard output; set its time
// (or, in a dry run, check that it could be); then report what came of it.
#pragma once

#include <string>

#include "cli/arguments.hpp"
#include "stamp/job.hpp"

enum class stamp_result { stamped, not_stamped, output_failed };

// "Setting timestamp:", a tab and the path; false when the output fails.
// A dry run says what it would set after the check instead. line is the
// caller's buffer, reused from file to file.
bool announce(const stamp_job& job, const run_options& options, std::string& line);

// Sets the job's time and keeps the result in it. Touches nothing but the
// job and the file: safe on any thread.
void apply(stamp_job& job, const run_options& options);

// Every file not stamped gets one message on standard error, and a dry run
// prints what it would set.
stamp_result report_outcome(const stamp_job& job, const run_options& options, std::string& line);
