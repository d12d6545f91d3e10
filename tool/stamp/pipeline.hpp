// Stamping many files at once, for file systems where every call is a
// round trip (network shares, FUSE). The walk announces each file and
// pushes it; workers set the times; the walk takes the finished files back
// in the order it pushed them and concludes each itself, so that what is
// said is exactly what one thread says. The pipeline knows nothing of the
// walk: it holds jobs, and hands them back.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "cli/arguments.hpp"
#include "stamp/job.hpp"

struct stamp_pipeline {
  const run_options* options = nullptr;
  // A ring of jobs; the counters only grow: [head, tail) are on their way,
  // [taken, tail) wait for a worker. head is the walk's alone.
  std::vector<stamp_job> ring;
  std::vector<char> done;                   // by ring place, under lock
  std::vector<unsigned long long> numbers;  // the walk's: each place's file number
  std::size_t head = 0;
  std::size_t taken = 0;
  std::size_t tail = 0;
  std::size_t chunk = 1;             // jobs a worker takes at once
  std::size_t links_on_the_way = 0;  // the walk's: jobs on their way that may be links
  int idle = 0;                      // workers waiting for work
  bool walk_waits = false;
  bool closing = false;
  std::mutex lock;
  std::condition_variable work;      // jobs wait, or the pipeline closes
  std::condition_variable finished;  // the job the walk waits for is done
  std::vector<std::thread> workers;

  stamp_pipeline() = default;
  stamp_pipeline(const stamp_pipeline&) = delete;
  stamp_pipeline& operator=(const stamp_pipeline&) = delete;
  ~stamp_pipeline();  // closes, and joins every worker
};

// Starts up to jobs workers and returns how many started (the system may
// refuse threads); with none, the pipeline is not to be used. why says
// what refused.
int start_workers(stamp_pipeline& pipeline, const run_options& options, int jobs, std::string& why);

// Whether every place of the ring is taken: the walk must take a finished
// job back first.
bool pipeline_full(const stamp_pipeline& pipeline);

// Whether a job on its way may set the time of the same file as job: one
// with the same file number, or any job where either may be a link (whose
// file only a look-up tells). Such a job waits until the other is done,
// so that the file ends at the time of its last name, as with one thread.
bool may_share_file(const stamp_pipeline& pipeline, const stamp_job& job);

// Hands an announced job to the workers (its contents are swapped in).
void push_job(stamp_pipeline& pipeline, stamp_job& job);

// The oldest job on its way once it is finished, waiting for it with
// wait; nullptr when none is on its way, or it is not finished and the
// walk would not wait. pop_job lets it go once it is concluded.
stamp_job* finished_job(stamp_pipeline& pipeline, bool wait);
void pop_job(stamp_pipeline& pipeline);
