#include "run/report.hpp"

#include "names/quoting.hpp"
#include "run/report_why.hpp"

namespace {

// The file's path shown on a result line: as it is, or quoted.
std::string_view shown(const stamp_job& job, std::string& quoted) {
  return shown_path(job.path, quoted);
}

int would_set(run_state& run, const stamp_job& job) {
  const file_time t = run.system.precision(*job.answer.decision.time);
  if (!commonly_held(t.tick)) {
    say(run.output, in_quotes(job.path) + ": " + format_utc(t) +
                        " lies outside 1980 to 2038, which not every file system holds; a real "
                        "run checks it when written");
  }
  std::string quoted;
  std::string& line = run.end.line;
  line.assign("Would set timestamp:\t").append(shown(job, quoted)).push_back('\t');
  line.append(format_utc(t));
  const bool sources_said = run.plan.chain.size() > 1;
  if (job.now) {
    line.append("\t").append(format_utc(*job.now)).append("\t");
    line.append(format_change(*job.now, t));
  } else if (sources_said) {
    line.append("\t\t");  // the fields stay in their places
  }
  // Where the time came from, when it could come from more than the name.
  if (sources_said) {
    line.push_back('\t');
    line.append(job.answer.where.empty() ? job.source->name : shown_path(job.answer.where, quoted));
  }
  line.push_back('\n');
  return run.output.out(line);
}

}  // namespace

outcome outcome_of(const stamp_job& job) {
  switch (job.fate) {
    case job_fate::decided:
      return job.answer.decision.refused == refusal::no_date ? outcome::no_date : outcome::not_set;
    case job_fate::set_tried: {
      const set_fate fate = job.result.fate;
      return fate == set_fate::set || fate == set_fate::rounded ? outcome::stamped
                                                                : outcome::not_set;
    }
    case job_fate::no_old_time:
    case job_fate::foreign_link:
    case job_fate::swapped:
    case job_fate::two_names:
      break;
  }
  return outcome::not_set;
}

int announce(run_state& run, const stamp_job& job) {
  if (run.plan.dry_run || run.plan.quiet) return 0;
  if (!run.end.zone_noted && !run.plan.zone_note.empty()) {
    say(run.output, run.plan.zone_note);
    run.end.zone_noted = true;
  }
  std::string quoted;
  run.end.line.assign("Setting timestamp:\t").append(shown_last_path(job.path, quoted));
  run.end.line.push_back('\n');
  return run.output.out(run.end.line);
}

int say_file(run_state& run, const stamp_job& job) {
  const stamp_decision& d = job.answer.decision;
  switch (job.fate) {
    case job_fate::decided:
      say(run.output, refusal_text(job, d.why, d.read));
      return 0;
    case job_fate::no_old_time:
      say(run.output, refusal_text(job, "its time cannot be read for the journal: " +
                                            run.system.error_text(job.before_error)));
      return 0;
    case job_fate::foreign_link:
      say(run.output, refusal_text(job, foreign_link_text(job.facts)));
      return 0;
    case job_fate::swapped:
      say(run.output,
          refusal_text(job, "it is no longer the file that was listed (it is now " +
                                std::string(kind_word(job.facts.kind)) + "); left alone"));
      return 0;
    case job_fate::two_names:
      say(run.output, refusal_text(job, "it is one file with " + in_quotes(job.other_name) +
                                            ", whose name gives another time; both are left "
                                            "alone"));
      return 0;
    case job_fate::set_tried:
      break;
  }
  if (outcome_of(job) != outcome::stamped) {
    say(run.output, refusal_text(job, why_not_set(run, job)));
    return 0;
  }
  if (!run.plan.dry_run || run.plan.quiet) return 0;
  return would_set(run, job);
}

void say_rounding(run_state& run, const stamp_job& job) {
  const std::string_view folder = std::string_view(job.path).substr(0, job.path.rfind('/'));
  say(run.output, "the file system of " + in_quotes(folder) + " keeps times in steps: " +
                      in_quotes(job.path) + " holds " + format_utc(*job.result.now) +
                      ", and the folder's other files are rounded alike");
}

void say_how_read(run_state& run, const stamp_job& job) {
  // The time the file holds: a rounded one as its file system kept it.
  const bool rounded = job.result.fate == set_fate::rounded && job.result.now;
  const file_time held = rounded ? *job.result.now : *job.answer.decision.time;
  std::string line = in_quotes(job.path);
  line.append(": ").append(format_utc(held)).append(", ");
  line.append(describe(job.answer.decision.basis));
  if (rounded) line.append(" (kept in the file system's steps)");
  // Where the time came from, when it could come from more than the name.
  if (run.plan.chain.size() > 1 && job.source != nullptr) {
    const std::string& where = job.answer.where;  // a file read (a sidecar) or a tag
    const bool file = where.find('/') != std::string::npos;
    line.append(", from ");
    line.append(where.empty() ? std::string(job.source->name) : file ? in_quotes(where) : where);
  }
  say(run.output, line);
}
