#include "run/conclude.hpp"

#include "run/report.hpp"

bool probing(const run_state& run) {
  return run.end.folder.trust == folder_trust::unknown && !run.plan.dry_run;
}

void conclude(run_state& run, const stamp_job& job) {
  conclusion_part& end = run.end;
  if (probing(run) && job.fate == job_fate::set_tried) end.folder.trust = learn_trust(job.result);
  if (job.result.fate == set_fate::rounded && !end.folder.rounding_said) {
    say_rounding(run, job);
    end.folder.rounding_said = true;
  }
  if (const int error = say_file(run, job)) return output_failed(run, error);
  count_file(end.shown, job.path);
  switch (outcome_of(job)) {
    case outcome::stamped:
      if (job.answer.decision.basis == zone_basis::utc_by_default) ++end.utc_by_default;
      if (run.plan.verbose) say_how_read(run, job);
      return;
    case outcome::no_date:
      ++end.tally.no_date;
      break;
    case outcome::not_set:
      ++end.tally.not_set;
      break;
  }
  ++end.tally.left_alone;
  end.failed = true;
}

void output_failed(run_state& run, int error) {
  if (!run.end.stopped) say_output_failed(run, error);
  not_reached(run, 1);
}

void not_reached(run_state& run, std::int64_t count) {
  run.end.tally.left_alone += count;
  run.end.failed = run.end.stopped = true;
}
