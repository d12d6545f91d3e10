#include "run/batch_record.hpp"

#include "run/conclude.hpp"
#include "run/report_run.hpp"

namespace {

// Files of a batch reached under names of other times are left alone, and
// a name of an earlier batch, already set, is put back.
void check_two_names(run_state& run, std::vector<stamp_job>& jobs, std::size_t count) {
  for (const put_back& name : check_names(run.hand.names, jobs, count)) {
    const file_ref file{nullptr, nullptr, name.kind, name.path.c_str()};
    const set_result result = set_write_time(run.system, file, name.before, true);
    say_put_back(run, name, result);
    ++run.end.tally.left_alone;
    ++run.end.tally.not_set;
    run.end.failed = true;
  }
}

journal_error record_batch(run_state& run, const std::vector<stamp_job>& jobs, std::size_t count) {
  run_journal& journal = *run.hand.journal;
  for (std::size_t i = 0; i < count; ++i) {
    const stamp_job& job = jobs[i];
    if (!job.answer.decision.time || job.fate != job_fate::decided) continue;
    if (job.before_error != 0) continue;  // a folder: refused as such when it is set
    add_record(journal, job.path, job.before, run.system.precision(*job.answer.decision.time),
               job.created_before, job.kind == kind_link);
  }
  return commit_records(journal);
}

}  // namespace

bool check_and_record(run_state& run, std::vector<stamp_job>& jobs, std::size_t count) {
  if (run.end.stopped && !run.end.interrupted) {
    not_reached(run, static_cast<std::int64_t>(count));
    return false;
  }
  check_two_names(run, jobs, count);
  if (const journal_error error = record_batch(run, jobs, count)) {
    say_journal_failed(run, error);
    not_reached(run, static_cast<std::int64_t>(count));
    return false;
  }
  return true;
}
