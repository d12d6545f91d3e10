#include "stamp/walk.hpp"

#include "platform/console.hpp"

namespace {

// A job that sets a time while its folder's trust is unknown is the
// folder's probe: what came of it is what the folder teaches.
bool is_probe(const walk_state& state, const stamp_job& job) {
  return state.folder.trust == folder_trust::unknown && job.decision.time && !state.options.dry_run;
}

// The one conclusion of a job, whichever thread set its time.
void conclude(walk_state& state, const stamp_job& job) {
  const set_result& result = job.result;
  if (is_probe(state, job)) state.folder.trust = learn_trust(result);
  if (result.error == 0 && result.rounded && result.now && !state.folder.rounding_said) {
    report(rounding_note(job.path, *result.now));
    state.folder.rounding_said = true;
  }
  const stamp_result outcome = report_outcome(job, state.options, state.line);
  if (outcome == stamp_result::stamped) {
    if (job.decision.basis == zone_basis::utc_by_default) ++state.utc_by_default;
    if (state.options.verbose) {
      report(in_quotes(job.path) + ": " + format_utc(*job.decision.time) + ", " +
             std::string(describe(job.decision.basis)));
    }
  }
  count_file(state.shown, job.path);
  if (outcome == stamp_result::not_stamped) {
    ++(!job.decision.time && job.decision.what == cannot_read ? state.no_date : state.not_set);
  }
  tally(outcome, state);
}

}  // namespace

void tally(stamp_result result, walk_state& state) {
  switch (result) {
    case stamp_result::stamped:
      break;
    case stamp_result::not_stamped:
      ++state.left_alone;
      state.failed = true;
      break;
    case stamp_result::output_failed:
      if (!state.stopped) report_output_failure();  // said once, however many were on their way
      ++state.left_alone;
      state.failed = true;
      state.stopped = true;
      break;
  }
}

void conclude_finished(walk_state& state, bool all) {
  if (state.pipeline == nullptr) return;
  while (const stamp_job* job = finished_job(*state.pipeline, all)) {
    conclude(state, *job);
    pop_job(*state.pipeline);
  }
}

void hand_out(walk_state& state, stamp_job& job) {
  const bool probe = is_probe(state, job);
  job.verify = must_verify(state.folder.trust);
  if (state.pipeline == nullptr) {
    if (!announce(job, state.options, state.line)) return tally(stamp_result::output_failed, state);
    apply(job, state.options);
    return conclude(state, job);
  }
  // waits only while every place is taken, or for a job that may set the same file
  conclude_finished(state, may_share_file(*state.pipeline, job));
  if (!announce(job, state.options, state.line)) return tally(stamp_result::output_failed, state);
  push_job(*state.pipeline, job);
  // The probe's answer decides how the folder's next files are set.
  if (probe) conclude_finished(state, true);
}
