// What a run needs before the folder is listed, and the run itself.
#pragma once

#include "cli/arguments.hpp"

// Opens the journal, enters the folder and checks the zone that the
// command line names, then runs (or undoes a journal). Returns the exit
// status; 2 when any of those cannot be had, before anything is touched.
int run_session(const run_options& options);
