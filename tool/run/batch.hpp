// With a journal: files go in batches of a few hundred. Each batch is
// prepared (by the workers: times found, old times read), recorded (its
// records written and synced in one go), and only then set.
#pragma once

#include "run/run_state.hpp"

// The batch's next place, where the walk places a selected file.
stamp_job& batch_place(run_state& run);

// Queues the file placed in batch_place; a full batch is handed out.
void queue_in_batch(run_state& run);

// A prepared job, taken back from the workers into its batch place.
void take_back_prepared(run_state& run, stamp_job& job);

// Prepares and records the queued files, and hands out those of the batch
// recorded before (prepared ahead, they are set with the next batch); a
// journal that cannot be written stops the run before any of them is set.
void record_and_hand_out(run_state& run);

// Every batch queued or recorded is handed out: before a folder is left.
void finish_batches(run_state& run);
