#include "run/batch.hpp"

#include <algorithm>

#include "run/batch_record.hpp"
#include "run/conclude.hpp"
#include "run/hand_out.hpp"

namespace {

// Files a journal write covers at once. 16 first: the run learns from its
// first files set how quick sets are (and on a share starts its listers
// and workers), which it cannot before a batch is recorded. Then 256, and
// twice as many each batch up to 2,048, so that a sync (milliseconds on a
// disk, where the user's journal is kept) costs little per file, with
// memory still small. Where the workers prepare (each file a round trip
// or more, as on a share) a batch stays at 256: its files are set while
// the next is prepared, and the last batch's, set after the walk with
// nothing to go beside them, stay few.
constexpr std::size_t first_batch = 16;
constexpr std::size_t next_batch = 256;
constexpr std::size_t most_batch = 2048;

// With no workers, or where times are quick to set, a batch is prepared
// ahead on the preparer's thread while the batch before it is set;
// otherwise the workers prepare it.
bool ahead(const run_state& run) {
  return run.hand.pipeline.workers.empty() || run.end.folder.sets == folder_knowledge::speed::quick;
}

void give_to_prepare(run_state& run, std::size_t place) {
  stamp_job& job = run.hand.batch[place];
  job.batch_place = place;
  give(run, job, job_task::prepare);
}

// Each queued file's time and old time, found by the workers: those not
// handed to them as they were queued, then every one waited for.
void prepare_by_workers(run_state& run, std::size_t count) {
  for (std::size_t i = run.hand.batch_given; i < count; ++i) give_to_prepare(run, i);
  run.hand.batch_given = 0;
  take_finished(run, true);
}

// Sets a recorded batch's files in order, from the first not handed out
// yet. A run that stopped leaves the rest not reached; an interrupted one
// finishes them: their records are kept.
void set_batch(run_state& run, std::vector<stamp_job>& jobs, std::size_t from, std::size_t count) {
  for (std::size_t i = from; i < count; ++i) {
    if (run.end.stopped && !run.end.interrupted) {
      return not_reached(run, static_cast<std::int64_t>(count - i));
    }
    give(run, jobs[i], job_task::set);
  }
}

void set_recorded(run_state& run) {
  hand_out_part& hand = run.hand;
  const std::size_t from = std::exchange(hand.recorded_given, 0);
  set_batch(run, hand.recorded, from, std::exchange(hand.recorded_count, 0));
}

// Where the workers prepare, the recorded batch's next file is set as each
// file of the next batch is queued: the workers prepare and set at once,
// as without a journal, rather than in turns (on a share each is a round
// trip, and a prepare several).
void set_one_recorded(run_state& run) {
  hand_out_part& hand = run.hand;
  if (hand.recorded_given == hand.recorded_count || run.end.stopped) return;
  give(run, hand.recorded[hand.recorded_given++], job_task::set);
}

}  // namespace

stamp_job& batch_place(run_state& run) {
  std::vector<stamp_job>& batch = run.hand.batch;
  std::size_t& limit = run.hand.batch_limit;
  if (limit == 0) limit = first_batch;
  // Room for the largest batch at once, while it is empty: growing later
  // never moves a job that a worker may still hold.
  if (batch.capacity() < most_batch) batch.reserve(most_batch);
  if (batch.size() < limit) batch.resize(limit);
  return batch[run.hand.batch_count];
}

void queue_in_batch(run_state& run) {
  hand_out_part& hand = run.hand;
  // Where the workers prepare, a file is handed to them as it is queued:
  // they prepare while the walk lists on.
  if (!ahead(run) && hand.batch_given == hand.batch_count) {
    give_to_prepare(run, hand.batch_count);
    ++hand.batch_given;
    set_one_recorded(run);
  }
  std::size_t& limit = hand.batch_limit;
  if (++hand.batch_count < limit) return;
  record_and_hand_out(run);
  limit = ahead(run) ? std::clamp(limit * 2, next_batch, most_batch) : next_batch;
}

void take_back_prepared(run_state& run, stamp_job& job) {
  stamp_job& place = run.hand.batch[job.batch_place];
  if (&place != &job) std::swap(place, job);  // a job done where it was is in its place
}

void record_and_hand_out(run_state& run) {
  hand_out_part& hand = run.hand;
  const std::size_t count = hand.batch_count;
  hand.batch_count = 0;
  if (count > 0 && run.end.stopped) not_reached(run, static_cast<std::int64_t>(count));
  if (count == 0 || run.end.stopped) {
    if (hand.batch_given > 0) take_finished(run, true);  // back to their places
    hand.batch_given = 0;
    return set_recorded(run);
  }
  if (!ahead(run) || hand.batch_given > 0) {
    set_recorded(run);  // the batch before: every file set before this one is checked
    prepare_by_workers(run, count);
    if (!check_and_record(run, hand.batch, count)) return;
    // Until sets are known to be slow, the walk sets them itself, timed:
    // at once, so that it learns before it lists on.
    if (run.end.folder.sets == folder_knowledge::speed::unknown) {
      return set_batch(run, hand.batch, 0, count);
    }
  } else {
    start_preparing(hand.preparer, hand.batch.data(), count, hand.pipeline.own);
    set_recorded(run);  // the batch before, meanwhile
    wait_prepared(hand.preparer);
    if (!check_and_record(run, hand.batch, count)) return;
  }
  std::swap(hand.batch, hand.recorded);  // set with the next batch, or when the walk ends
  hand.recorded_count = count;
}

void finish_batches(run_state& run) {
  record_and_hand_out(run);
  set_recorded(run);
}
