// Stamping one selected file.
#pragma once

#include <optional>
#include <string_view>

#include "tool/arguments.hpp"
#include "tool/decision.hpp"
#include "tool/file_time.hpp"
#include "tool/set_time.hpp"

enum class stamp_result { stamped, not_stamped, output_failed };

// The three steps of stamping a decided file, apart so that the middle one
// can run on another thread: announce it on standard output (false when
// the output fails); set its time (or, in a dry run, check that it could
// be); then report what came of it: every file not stamped gets one
// message on standard error, and a dry run says what it would set.
bool announce(const file_ref& file, const run_options& options);
// With verify, the time is read back however commonly held it is.
set_result apply(const file_ref& file, const stamp_decision& decision, const run_options& options,
                 bool verify = false);
stamp_result conclude(const file_ref& file, const stamp_decision& decision,
                      const set_result& result, const run_options& options);
