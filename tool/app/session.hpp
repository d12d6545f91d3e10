// The application around a run: what the machine tells the plan, and what
// a run needs before its folder is listed (the journal opened, the folder
// entered, the zone checked), then the run itself, or an undo.
// Errors are said here, on standard error; the result is the exit status.
#pragma once

#include "app/resolve.hpp"

// The facts resolve_plan needs, read from the clock, the zone and the
// folder's file system.
plan_facts gather_facts(const typed_options& typed);

// Opens the journal, enters the folder and checks the zone that the
// command line names, then runs (or undoes a journal). Returns the exit
// status; 2 when any of those cannot be had, before anything is touched.
int run_session(const typed_options& typed, const run_plan& plan);
