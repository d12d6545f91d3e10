#include "run/batch.hpp"

#include "run/conclude.hpp"
#include "run/hand_out.hpp"
#include "run/report.hpp"

namespace {

// Files a journal write covers at once: few enough to keep memory small,
// enough that syncing costs little per file.
constexpr std::size_t batch_size = 256;

// Each queued file's time and old time, found by the workers.
void prepare_batch(run_state& run, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    stamp_job& job = run.hand.batch[i];
    job.batch_place = i;
    give(run, job, job_task::prepare);
  }
  take_finished(run, true);
}

// Files of a batch reached under names of other times are left alone, and
// a name of an earlier batch, already set, is put back.
void check_two_names(run_state& run, std::size_t count) {
  for (const put_back& name : check_names(run.hand.names, run.hand.batch, count)) {
    const file_ref file{nullptr, nullptr, name.kind, name.path.c_str()};
    const set_result result = set_write_time(run.system, file, name.before, true);
    say_put_back(run, name, result);
    ++run.end.tally.left_alone;
    ++run.end.tally.not_set;
    run.end.failed = true;
  }
}

journal_error record_batch(run_state& run, std::size_t count) {
  run_journal& journal = *run.hand.journal;
  for (std::size_t i = 0; i < count; ++i) {
    const stamp_job& job = run.hand.batch[i];
    if (!job.answer.decision.time || job.fate != job_fate::decided) continue;
    if (job.before_error != 0) continue;  // a folder: refused as such when it is set
    add_record(journal, job.path, job.before, run.system.precision(*job.answer.decision.time),
               job.created_before, job.kind == kind_link);
  }
  return commit_records(journal);
}

}  // namespace

stamp_job& batch_place(run_state& run) {
  std::vector<stamp_job>& batch = run.hand.batch;
  if (batch.size() < batch_size) batch.resize(batch_size);
  return batch[run.hand.batch_count];
}

void queue_in_batch(run_state& run) {
  if (++run.hand.batch_count == batch_size) record_and_hand_out(run);
}

void take_back_prepared(run_state& run, stamp_job& job) {
  stamp_job& place = run.hand.batch[job.batch_place];
  if (&place != &job) std::swap(place, job);  // a job done where it was is in its place
}

void record_and_hand_out(run_state& run) {
  const std::size_t count = run.hand.batch_count;
  if (count == 0) return;
  run.hand.batch_count = 0;
  if (run.end.stopped) return not_reached(run, static_cast<std::int64_t>(count));
  prepare_batch(run, count);
  check_two_names(run, count);
  if (const journal_error error = record_batch(run, count)) {
    say_journal_failed(run, error);
    return not_reached(run, static_cast<std::int64_t>(count));
  }
  for (std::size_t i = 0; i < count; ++i) {
    if (run.end.stopped) return not_reached(run, static_cast<std::int64_t>(count - i));
    give(run, run.hand.batch[i], job_task::set);
  }
}
