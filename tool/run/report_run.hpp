// What a run says of itself rather than of a file: a fault that stops it
// or a folder it cannot list, a name put back, workers that would not
// start. Said in the order they happen among the files' lines.
#pragma once

#include <string>
#include <string_view>

#include "run/run_state.hpp"

// A name of an earlier batch that is one file with a later one of another
// time, put back to its old time (or not, as result says).
void say_put_back(run_state& run, const put_back& name, const set_result& result);

void say_output_failed(run_state& run, int error);
void say_read_only(run_state& run);
void say_folder_fault(run_state& run, std::string_view what, int error);
void say_journal_failed(run_state& run, const journal_error& error);
void say_workers(run_state& run, int started, int wanted, const std::string& why);
