#include "run/one_file.hpp"

namespace {

// Whether a job's file may have another name: a link, or a file with more.
bool may_have_other_names(const stamp_job& job) {
  return job.kind == kind_link || job.facts.names > 1;
}

void leave_alone(stamp_job& job, const std::string& other) {
  job.fate = job_fate::two_names;
  job.other_name = other;
}

}  // namespace

std::vector<put_back> check_names(name_book& book, std::vector<stamp_job>& jobs,
                                  std::size_t count) {
  ++book.batch;
  std::vector<put_back> back;
  for (std::size_t i = 0; i < count; ++i) {
    stamp_job& job = jobs[i];
    const std::optional<file_time>& time = job.answer.decision.time;
    if (!time || job.fate != job_fate::decided || job.before_error != 0) continue;
    if (!may_have_other_names(job)) continue;
    const auto key = std::make_pair(job.facts.device, job.facts.file);
    const auto [found, first] = book.names.try_emplace(
        key, name_book::first_name{job.path, job.kind, *time, job.before, book.batch, i});
    if (first) continue;
    name_book::first_name& other = found->second;
    if (other.time == *time) continue;  // the same time twice: set twice, alike
    leave_alone(job, other.path);
    if (other.left_alone) continue;
    other.left_alone = true;
    if (other.batch == book.batch) {
      leave_alone(jobs[other.place], job.path);
    } else {
      back.push_back({other.path, other.kind, other.before, job.path});
    }
  }
  return back;
}
