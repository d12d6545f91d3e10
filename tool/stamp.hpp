// Stamping one selected file.
#pragma once

#include <optional>
#include <string_view>

#include "tool/arguments.hpp"
#include "tool/decision.hpp"
#include "tool/file_time.hpp"
#include "tool/set_time.hpp"

enum class stamp_result { stamped, not_stamped, output_failed };

// Announces the file on standard output, reads the time from date_text
// (nullopt: the cuts left no text), shifts it and sets it as the file's
// last-modified time; with options.dry_run, only says what it would set.
// Every file not stamped gets one message on standard error.
stamp_result stamp_file(const file_ref& file, std::optional<std::string_view> date_text,
                        const run_options& options);

// The three steps of stamping a decided file, apart so that the middle one
// can run on another thread: announce it on standard output (false when
// the output fails); set its time (or, in a dry run, check that it could
// be); then report what came of it.
bool announce(const file_ref& file, const run_options& options);
// With verify, the time is read back however commonly held it is.
set_result apply(const file_ref& file, const stamp_decision& decision, const run_options& options,
                 bool verify = false);
stamp_result conclude(const file_ref& file, const stamp_decision& decision,
                      const set_result& result, const run_options& options);

// All three, for a file whose time has been decided already.
stamp_result stamp_decided(const file_ref& file, const stamp_decision& decision,
                           const run_options& options);
