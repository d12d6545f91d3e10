// Handing selected files on: announced, then prepared and set by a worker
// (or the walk's thread), taken back and concluded in listing order. With
// a journal, files go in batches: prepared, recorded, then set.
#pragma once

#include "run/run_state.hpp"

// The place the next selected file is placed in: with a journal, the
// batch's next place, so that queueing it moves nothing.
stamp_job& next_place(run_state& run);

// Hands on the file just placed in next_place.
void hand_on(run_state& run);

// Takes back the jobs the workers have finished, in order, and concludes
// them; with all, waits for every job on its way. Called before a
// folder's listing is left.
void take_finished(run_state& run, bool all);

// Finishes and concludes every file handed out, then closes the folders
// the walk has left: before anything is said of a folder itself (a
// fault), where a file system ends, and at the end of the run.
void finish_handed_out(run_state& run);

// Gives a placed job its task and pushes it: announced first when it is
// to be set, and waited for when it is its folder's probe.
void give(run_state& run, stamp_job& job, job_task task);
