// One selected file on its way to being stamped: where it is, the time it
// gets (decided once, when it is listed), and what came of setting it.
// The same record serves the single thread, the journal's batch and the
// workers.
#pragma once

#include <cstring>
#include <string>

#include "decide/decision.hpp"
#include "listing/listing.hpp"
#include "platform/careful_write.hpp"
#include "platform/modified_time.hpp"

struct stamp_job {
  const dir_listing* folder = nullptr;
  dir_entry entry{};  // a copy: the listing moves on
  std::string path;   // as the user sees it: "./" and the path from the run's folder
  stamp_decision decision;
  std::string source;   // with --takeout: the sidecar its time came from; empty for its name
  bool verify = false;  // read the time back however commonly held it is
  set_result result;
};

inline file_ref file_of(const stamp_job& job) {
  return {job.folder, &job.entry, job.path.c_str()};
}

// Fills a job's place: its folder, its entry (the name's bytes only) and path.
inline void place_job(stamp_job& job, const dir_listing* folder, const dir_entry& entry,
                      const std::string& path) {
  job.folder = folder;
  std::memcpy(job.entry.name, entry.name, static_cast<std::size_t>(entry.name_length) + 1);
  job.entry.name_length = entry.name_length;
  job.entry.kind = entry.kind;
  job.entry.file_number = entry.file_number;
  job.path.assign(path);
}
