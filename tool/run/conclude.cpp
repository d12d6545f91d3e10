#include "run/conclude.hpp"

#include "run/report.hpp"
#include "run/report_run.hpp"

bool probing(const run_state& run) {
  return run.end.folder.trust == folder_trust::unknown && !run.plan.dry_run;
}

namespace {

bool in_the_runs_zone(zone_basis basis) {
  return basis == zone_basis::utc_by_default || basis == zone_basis::utc ||
         basis == zone_basis::local || basis == zone_basis::fixed;
}

bool read_only(const run_state& run, const stamp_job& job) {
  return job.fate == job_fate::set_tried && job.result.fate == set_fate::failed &&
         job.result.error == run.system.read_only_error;
}

}  // namespace

void conclude(run_state& run, const stamp_job& job) {
  conclusion_part& end = run.end;
  // A file system that turned read-only fails every file after the first:
  // the run stops there, and what was on its way is not reached.
  if (read_only(run, job) && end.stopped) return not_reached(run, 1);
  if (probing(run) && job.fate == job_fate::set_tried) end.folder.trust = learn_trust(job.result);
  // A time with a fraction, read back and kept as it is, shows that the
  // folder keeps fractions.
  if (job.fate == job_fate::set_tried && job.verify && job.result.fate == set_fate::set &&
      has_fraction(run.system.precision(*job.answer.decision.time))) {
    end.folder.fractions_kept = true;
  }
  if (job.result.fate == set_fate::rounded && !end.folder.rounding_said) {
    say_rounding(run, job);
    end.folder.rounding_said = true;
  }
  if (const int error = say_file(run, job)) return output_failed(run, error);
  count_file(end.shown, job.path);
  switch (outcome_of(job)) {
    case outcome::stamped:
      if (job.answer.decision.basis == zone_basis::utc_by_default) ++end.utc_by_default;
      if (in_the_runs_zone(job.answer.decision.basis)) ++end.zoned;
      if (run.plan.verbose) say_how_read(run, job);
      return;
    case outcome::no_date:
      ++end.tally.no_date;
      if (job.answer.decision.auto_reads) ++end.auto_reads;
      break;
    case outcome::not_set:
      ++end.tally.not_set;
      break;
  }
  ++end.tally.left_alone;
  end.failed = true;
  if (read_only(run, job)) {
    say_read_only(run);
    end.stopped = true;
  }
}

void output_failed(run_state& run, int error) {
  if (!run.end.stopped) say_output_failed(run, error);
  not_reached(run, 1);
}

void not_reached(run_state& run, std::int64_t count) {
  run.end.tally.left_alone += count;
  run.end.failed = run.end.stopped = true;
}
