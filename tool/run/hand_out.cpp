#include "run/hand_out.hpp"

#include <chrono>

#include "run/batch.hpp"
#include "run/conclude.hpp"
#include "run/report.hpp"

stamp_job& next_place(run_state& run) {
  return run.hand.journal == nullptr ? run.hand.job : batch_place(run);
}

void hand_on(run_state& run) {
  if (run.hand.journal == nullptr) return give(run, run.hand.job, job_task::prepare_and_set);
  queue_in_batch(run);
}

void take_finished(run_state& run, bool all) {
  stamp_pipeline& pipeline = run.hand.pipeline;
  while (stamp_job* job = finished_job(pipeline, all)) {
    if (job->task == job_task::prepare) {
      take_back_prepared(run, *job);
    } else {
      conclude(run, *job);
    }
    pop_job(pipeline);
  }
}

void finish_handed_out(run_state& run) {
  if (run.hand.journal != nullptr) finish_batches(run);
  take_finished(run, true);
  for (folder_handle* folder : run.walk.left) run.system.close_folder(folder);
  run.walk.left.clear();
}

namespace {

using folder_speed = folder_knowledge::speed;

// Where the next task is done: by the walk itself where the folder's file
// system is quick, or while it finds out from its first files set, else by
// the workers; a batch is prepared by the workers until it is known to be
// quick (reading sidecars and metadata may be slow where setting is not).
// The ring is emptied before the walk works: files conclude in the order
// they were listed. Whether the task is timed.
bool decide_where(run_state& run, bool sets) {
  stamp_pipeline& pipeline = run.hand.pipeline;
  if (pipeline.workers.empty()) return false;
  const folder_speed speed = run.end.folder.sets;
  const bool here = sets ? speed != folder_speed::slow : speed == folder_speed::quick;
  fit_chunk(pipeline, run.end.folder.round_trips);
  if (here && !pipeline.here) take_finished(run, true);
  pipeline.here = here;
  return here && sets && speed == folder_speed::unknown;
}

// From 16 files set by the walk: quick where each took less than handing
// it to a worker and taking it back costs, about 20 µs; round trips, as on
// a share, where each took over 100 µs.
void learn_speed(run_state& run, std::chrono::nanoseconds took) {
  folder_knowledge& folder = run.end.folder;
  folder.set_time += took;
  if (++folder.sets_timed < 16) return;
  const std::chrono::nanoseconds each = folder.set_time / folder.sets_timed;
  folder.sets = each < std::chrono::microseconds{20} ? folder_speed::quick : folder_speed::slow;
  folder.round_trips = each > std::chrono::microseconds{100};
}

}  // namespace

void give(run_state& run, stamp_job& job, job_task task) {
  stamp_pipeline& pipeline = run.hand.pipeline;
  job.task = task;
  const bool sets = task != job_task::prepare;
  const bool probe = sets && probing(run);
  job.verify = must_verify(run.end.folder.trust);
  job.fractions_kept = run.end.folder.fractions_kept;
  // Waits only while every place is taken, or for a job that may touch the
  // same file.
  take_finished(run, may_share_file(pipeline, job));
  if (sets) {
    if (const int error = announce(run, job)) return output_failed(run, error);
  }
  const bool timed = decide_where(run, sets);
  const auto started =
      timed ? std::chrono::steady_clock::now() : std::chrono::steady_clock::time_point{};
  push_job(pipeline, job);
  if (timed) learn_speed(run, std::chrono::steady_clock::now() - started);
  // The probe's answer decides how the folder's next files are set; one
  // thread concludes each file as soon as it is done.
  if (probe || works_here(pipeline)) take_finished(run, true);
}
