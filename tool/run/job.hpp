// One selected file on its way to being stamped: where it is, what is to
// be done with it next, and what came of it. The same record serves the
// single thread, the journal's batch and the workers.
#pragma once

#include <optional>
#include <string>

#include "sources/chain.hpp"
#include "system/careful_write.hpp"

enum class job_task {
  prepare,          // find its time (and, for the journal, its old time)
  set,              // set its time
  prepare_and_set,  // both at once: a run without a journal
};

// What came of a file, beside its decision: the conclusion reports it.
enum class job_fate {
  decided,       // its decision stands: a time to set, or a refusal
  no_old_time,   // its old time could not be read for the journal: left alone
  foreign_link,  // a link another user owns, to a file not theirs: never followed
  swapped,       // no longer the entry listed (a file swapped for a link): left alone
  two_names,     // one file with another name, of another time: left alone
  set_tried,     // its time was set, or tried: see result
};

struct stamp_job {
  const folder_handle* folder = nullptr;
  std::string path;           // as the user sees it: "./" and the path from the run's folder
  std::size_t name_at = 0;    // where its name begins in path
  std::size_t stem_size = 0;  // the length of its name before the last dot
  int kind = kind_unknown;    // as the listing gave it
  unsigned long long file_number = 0;  // the listing's, where it gives one
  job_task task = job_task::prepare_and_set;
  std::size_t batch_place = 0;  // with a journal: its place in the batch
  bool verify = false;          // read the time back however commonly held it is
  bool fractions_kept = false;  // its folder keeps fractions of a second, as far as is known
  bool owned_beside = true;     // its folder holds files its sources own (sidecars)
  // Decided by its sources when prepared: the time, or the refusal, and
  // the file it was read from, if not its name.
  source_answer answer;
  const time_source* source = nullptr;
  // With a journal: its times before the run, read when prepared.
  int before_error = 0;
  file_time before;
  file_facts facts;           // what a look at it found: for a link, and with a journal
  bool facts_listed = false;  // the listing looked at it already: facts hold what it saw
  std::string other_name;     // with two_names: the other
  std::optional<file_time> created_before;  // with --created
  // What came of it.
  job_fate fate = job_fate::decided;
  set_result result;
  std::optional<file_time> now;  // a dry run: the time the file has now
};

inline std::string_view name_of(const stamp_job& job) {
  return std::string_view(job.path).substr(job.name_at);
}

inline file_ref file_of(const stamp_job& job) {
  return {job.folder, job.path.c_str() + job.name_at, job.kind, job.path.c_str()};
}

// Fills a job's place from a listed entry, whose path ends in its name,
// ready to be prepared.
inline void place_job(stamp_job& job, const folder_handle* folder, const dir_entry& entry,
                      const std::string& path, std::size_t stem_size) {
  job.folder = folder;
  job.path.assign(path);
  job.name_at = path.size() - static_cast<std::size_t>(entry.name_length);
  job.stem_size = stem_size;
  job.kind = entry.kind;
  job.file_number = entry.file_number;
  job.facts_listed = entry.looked && entry.kind != kind_link;
  if (job.facts_listed) job.facts = facts_of_listed(entry);
  job.before_error = 0;
  job.fate = job_fate::decided;
  job.answer.decision.time.reset();
  job.source = nullptr;
  job.now.reset();
}
