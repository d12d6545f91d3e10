#include "run/tasks.hpp"

#include "run/trust.hpp"

#include "system/link_rule.hpp"

namespace {

void look_at(stamp_job& job, const task_context& c) {
  job.before_error = c.system.look(file_of(job), job.facts);
}

// With a journal: the time the file has before the run, read as the file
// was listed (by the listing's own look, where it made one). No record,
// no stamp: a file whose old time cannot be read could not be undone, and
// one that is no longer the entry listed (a file swapped for a link) is
// not the file the run was given. A folder is refused as such when it is
// set.
void read_old_time(stamp_job& job, const task_context& c) {
  const file_facts& facts = job.facts;
  if (job.before_error != 0) {
    job.fate = job_fate::no_old_time;
    return;
  }
  if (job.kind == kind_link) {
    if (facts.target_error != 0) {  // it leads nowhere: the write will say so
      job.before_error = facts.target_error;
      return;
    }
    if (facts.target_kind == kind_directory) {
      job.before_error = c.system.folder_error;
      return;
    }
  } else if (facts.kind != job.kind || (job.file_number != 0 && facts.number != job.file_number)) {
    job.fate = job_fate::swapped;
    return;
  } else if (facts.kind == kind_directory) {
    job.before_error = c.system.folder_error;
    return;
  }
  job.before = facts.mtime;
  job.created_before.reset();
  if (c.plan.created) {
    job.created_before.emplace();
    job.before_error = c.system.read_created(file_of(job), *job.created_before);
    if (job.before_error != 0) job.fate = job_fate::no_old_time;
  }
}

void prepare(stamp_job& job, const task_context& c, fetch_space& space) {
  // A link another user planted is never followed, nor its sidecar read.
  const bool link = job.kind == kind_link;
  if (link) {
    look_at(job, c);
    if (job.before_error == 0 && job.facts.kind != kind_link) {
      job.fate = job_fate::swapped;
      return;
    }
    if (job.before_error == 0 && !may_follow(job.facts, c.system.runner)) {
      job.fate = job_fate::foreign_link;
      return;
    }
  }
  const std::string_view name = name_of(job);
  const selection_rule& s = c.plan.selection;
  const source_file file{file_of(job), name, job.path,
                         cut_date_text(name.substr(0, job.stem_size), s.front_cut, s.back_cut),
                         job.owned_beside};
  job.source = ask_sources(c.plan.chain, file, {c.plan.rule, c.plan.local_offset, c.system}, space,
                           job.answer);
  if (!c.journaled || !job.answer.decision.time) return;
  if (!link && !job.facts_listed) look_at(job, c);
  read_old_time(job, c);
}

void set(stamp_job& job, const task_context& c) {
  if (!job.answer.decision.time || job.fate != job_fate::decided) return;
  job.fate = job_fate::set_tried;
  if (c.plan.dry_run) {
    // What a real run would meet, and the time the file has now.
    const int blocked = c.system.check(file_of(job));
    job.result = blocked == 0 ? set_result{} : set_result{set_fate::failed, blocked, std::nullopt};
    file_time now;
    if (blocked == 0 && c.system.read_time(file_of(job), now) == 0) job.now = now;
    return;
  }
  const file_time t = c.system.precision(*job.answer.decision.time);
  job.verify = job.verify || (has_fraction(t) && !job.fractions_kept);
  job.result = set_write_time(c.system, file_of(job), t, job.verify);
}

}  // namespace

void do_task(stamp_job& job, const task_context& context, fetch_space& space) {
  switch (job.task) {
    case job_task::prepare:
      prepare(job, context, space);
      break;
    case job_task::set:
      set(job, context);
      break;
    case job_task::prepare_and_set:
      prepare(job, context, space);
      set(job, context);
      break;
  }
}
