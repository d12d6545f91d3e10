// Doing jobs off the walk's thread, for file systems where every call is
// a round trip (network shares, FUSE). The walk pushes jobs; workers do
// each job's task; the walk takes the finished jobs back in the order it
// pushed them, so that what is said is exactly what one thread says. With
// no workers, a job's task is done as it is pushed, on the walk's thread:
// one path for both. The pipeline knows nothing of the walk: it holds
// jobs, and hands them back.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "run/job.hpp"

struct stamp_pipeline {
  // What is done to a job, with the fetching space of the thread that
  // does it; and what a thread's space lets go of when it is done.
  std::function<void(stamp_job&, fetch_space&)> task;
  std::function<void(fetch_space&)> let_go;
  fetch_space own;                 // the walk's, for jobs done as they are pushed
  stamp_job* done_here = nullptr;  // with no workers: the job just done, in its own place
  // A ring of jobs; the counters only grow: [head, tail) are on their way,
  // [taken, tail) wait for a worker. head is the walk's alone.
  std::vector<stamp_job> ring;
  std::vector<char> done;                   // by ring place, under lock
  std::vector<unsigned long long> numbers;  // the walk's: each place's file number
  std::vector<char> elsewhere;              // the walk's: whether each place's job may be a link
  std::size_t head = 0;
  std::size_t taken = 0;
  std::size_t tail = 0;
  std::size_t chunk = 1;             // jobs a worker takes at once (fit_chunk)
  std::size_t links_on_the_way = 0;  // the walk's: jobs on their way that may be links
  int idle = 0;                      // workers waiting for work
  bool walk_waits = false;
  bool closing = false;
  // The walk does each task itself, workers or not: where a task is quick
  // (setting a time on a local disk), handing it to a worker costs more
  // than the worker saves. Set by the walk while the ring is empty.
  bool here = false;
  std::mutex lock;
  std::condition_variable work;      // jobs wait, or the pipeline closes
  std::condition_variable finished;  // the job the walk waits for is done
  std::vector<std::thread> workers;

  stamp_pipeline() = default;
  stamp_pipeline(const stamp_pipeline&) = delete;
  stamp_pipeline& operator=(const stamp_pipeline&) = delete;
  ~stamp_pipeline();  // closes, and joins every worker
};

// Whether the walk does each task itself: no workers, or here.
inline bool works_here(const stamp_pipeline& p) {
  return p.workers.empty() || p.here;
}

// Starts up to jobs workers and returns how many started (the system may
// refuse threads); with none, the walk does every task itself. why says
// what refused.
int start_workers(stamp_pipeline& pipeline, int jobs, std::string& why);

// How many jobs a worker takes at once: a chunk where tasks are quick,
// so that one wake-up serves many; one at a time where each is a round
// trip (a share), so that a small folder's few files are set by as many
// workers at once, not one after another by the first worker woken.
void fit_chunk(stamp_pipeline& pipeline, bool slow_tasks);

// Whether every place of the ring is taken: the walk must take a finished
// job back first.
bool pipeline_full(const stamp_pipeline& pipeline);

// Whether a job on its way may touch the same file as job: one with the
// same file number, or any job where either may be a link (whose file
// only a look-up tells). Such a job waits until the other is done, so
// that the file ends at the time of its last name, as with one thread.
bool may_share_file(const stamp_pipeline& pipeline, const stamp_job& job);

// Hands a job to the workers (its contents are swapped in), or does its
// task at once, where it is, when there are none.
void push_job(stamp_pipeline& pipeline, stamp_job& job);

// The oldest job on its way once it is finished, waiting for it with
// wait; nullptr when none is on its way, or it is not finished and the
// walk would not wait. pop_job lets it go once it is taken back.
stamp_job* finished_job(stamp_pipeline& pipeline, bool wait);
void pop_job(stamp_pipeline& pipeline);
