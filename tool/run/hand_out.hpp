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

// Every file handed out from a folder is finished and concluded before
// its listing is left, whichever way the walk leaves it.
void finish_folder(run_state& run);

// Gives a placed job its task and pushes it: announced first when it is
// to be set, and waited for when it is its folder's probe.
void give(run_state& run, stamp_job& job, job_task task);
