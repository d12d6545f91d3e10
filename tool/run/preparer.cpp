#include "run/preparer.hpp"

#include <system_error>

namespace {

void prepare_batches(batch_preparer& p) {
  fetch_space space;
  std::unique_lock hold(p.lock);
  for (;;) {
    p.work.wait(hold, [&] { return p.jobs != nullptr || p.closing; });
    if (p.jobs == nullptr) break;
    stamp_job* const jobs = p.jobs;
    const std::size_t count = p.count;
    hold.unlock();
    for (std::size_t i = 0; i < count; ++i) p.task(jobs[i], space);
    hold.lock();
    p.jobs = nullptr;
    p.done.notify_one();
  }
  hold.unlock();
  p.let_go(space);
}

}  // namespace

batch_preparer::~batch_preparer() {
  if (!thread.joinable()) return;
  {
    const std::lock_guard hold(lock);
    closing = true;
  }
  work.notify_one();
  thread.join();
}

void start_preparing(batch_preparer& p, stamp_job* jobs, std::size_t count, fetch_space& own) {
  for (std::size_t i = 0; i < count; ++i) jobs[i].task = job_task::prepare;
  if (!p.tried) {
    p.tried = true;
    try {
      p.thread = std::thread(prepare_batches, std::ref(p));
    } catch (const std::system_error&) {
      // No thread: every batch is prepared by the walk's thread.
    }
  }
  if (!p.thread.joinable()) {
    for (std::size_t i = 0; i < count; ++i) p.task(jobs[i], own);
    return;
  }
  {
    const std::lock_guard hold(p.lock);
    p.jobs = jobs;
    p.count = count;
  }
  p.work.notify_one();
}

void wait_prepared(batch_preparer& p) {
  if (!p.thread.joinable()) return;
  std::unique_lock hold(p.lock);
  p.done.wait(hold, [&] { return p.jobs == nullptr; });
}
