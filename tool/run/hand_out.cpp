#include "run/hand_out.hpp"

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

void finish_folder(run_state& run) {
  if (run.hand.journal != nullptr) finish_batches(run);
  take_finished(run, true);
}

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
  push_job(pipeline, job);
  // The probe's answer decides how the folder's next files are set; one
  // thread concludes each file as soon as it is done.
  if (probe || pipeline.workers.empty()) take_finished(run, true);
}
