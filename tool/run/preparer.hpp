// With a journal on a local file system: a thread that prepares the next
// batch (reads its files' old times, asks their sources) while the walk's
// thread sets the batch before it, so that the look every journaled file
// needs costs the run little more than its own time on another core. One
// hand-over a batch; the walk's thread never touches a batch being
// prepared.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>

#include "run/job.hpp"

struct batch_preparer {
  std::function<void(stamp_job&, fetch_space&)> task;
  std::function<void(fetch_space&)> let_go;
  std::thread thread;  // started with the first batch; none when it could not be
  bool tried = false;
  std::mutex lock;
  std::condition_variable work;
  std::condition_variable done;
  stamp_job* jobs = nullptr;  // the batch being prepared, under lock
  std::size_t count = 0;
  bool closing = false;

  batch_preparer() = default;
  batch_preparer(const batch_preparer&) = delete;
  batch_preparer& operator=(const batch_preparer&) = delete;
  ~batch_preparer();  // lets the thread end, and joins it
};

// Begins to prepare jobs[0, count), each given the prepare task; with no
// thread (it could not start), prepares them here and now.
void start_preparing(batch_preparer& preparer, stamp_job* jobs, std::size_t count,
                     fetch_space& own);

// Waits until the batch begun is prepared.
void wait_prepared(batch_preparer& preparer);
