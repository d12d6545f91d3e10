#include "run/pipeline.hpp"

#include <algorithm>
#include <system_error>

namespace {

// Places in the ring for each worker: enough that a worker finds work
// when it finishes, few enough that memory stays small.
constexpr std::size_t places_per_worker = 16;

// Descriptors a worker's reader may hold to close together: few, as many
// workers hold them at once.
constexpr int held_by_a_worker = 4;

void work(stamp_pipeline& p) {
  fetch_space space;
  space.reader.hold = held_by_a_worker;
  std::unique_lock hold(p.lock);
  while (true) {
    while (p.taken == p.tail && !p.closing) {
      ++p.idle;
      p.work.wait(hold);
      --p.idle;
    }
    if (p.taken == p.tail) break;  // closing, and nothing waits
    // A chunk at a time; while the walk waits (a folder's last files),
    // what waits is shared among the workers that are free.
    const std::size_t waiting = p.tail - p.taken;
    const std::size_t free = static_cast<std::size_t>(p.idle) + 1;
    const std::size_t share = p.walk_waits ? (waiting + free - 1) / free : p.chunk;
    const std::size_t first = p.taken;
    const std::size_t count = std::min({waiting, p.chunk, share});
    p.taken += count;
    hold.unlock();
    // The jobs in [first, first + count) are this worker's alone now.
    for (std::size_t i = first; i < first + count; ++i) p.task(p.ring[i % p.ring.size()], space);
    hold.lock();
    for (std::size_t i = first; i < first + count; ++i) p.done[i % p.ring.size()] = 1;
    if (p.walk_waits) p.finished.notify_one();
  }
  hold.unlock();
  p.let_go(space);
}

}  // namespace

stamp_pipeline::~stamp_pipeline() {
  {
    const std::lock_guard hold(lock);
    closing = true;
  }
  work.notify_all();
  for (std::thread& worker : workers) worker.join();
  if (let_go) let_go(own);
}

int start_workers(stamp_pipeline& p, int jobs, std::string& why) {
  p.ring.resize(static_cast<std::size_t>(jobs) * places_per_worker);
  p.done.assign(p.ring.size(), 0);
  p.numbers.assign(p.ring.size(), 0);
  p.elsewhere.assign(p.ring.size(), 0);
  p.chunk = places_per_worker / 2;
  for (int i = 0; i < jobs; ++i) {
    try {
      p.workers.emplace_back(work, std::ref(p));
    } catch (const std::system_error& error) {
      why = error.code().message();
      break;
    }
  }
  return static_cast<int>(p.workers.size());
}

void fit_chunk(stamp_pipeline& p, bool slow_tasks) {
  const std::size_t chunk = slow_tasks ? 1 : places_per_worker / 2;
  if (p.chunk == chunk) return;  // only the walk changes it
  const std::lock_guard hold(p.lock);
  p.chunk = chunk;
}

bool pipeline_full(const stamp_pipeline& p) {
  return p.tail - p.head == p.ring.size();
}

namespace {

// An entry that may lead to another file than its own: a link, or one
// whose kind the listing did not say.
bool may_lead_elsewhere(int kind) {
  return kind == kind_link || kind == kind_unknown;
}

}  // namespace

bool may_share_file(const stamp_pipeline& p, const stamp_job& job) {
  if (p.head == p.tail) return false;
  if (may_lead_elsewhere(job.kind) || p.links_on_the_way > 0) return true;
  const unsigned long long number = job.file_number;
  if (number == 0) return false;
  for (std::size_t i = p.head; i < p.tail; ++i) {
    if (p.numbers[i % p.ring.size()] == number) return true;
  }
  return false;
}

void push_job(stamp_pipeline& p, stamp_job& job) {
  if (works_here(p)) {  // done at once, where it is: nothing is moved
    p.task(job, p.own);
    p.done_here = &job;
    return;
  }
  // The place at the tail is no worker's until tail moves past it.
  const std::size_t place = p.tail % p.ring.size();
  p.numbers[place] = job.file_number;
  // Kept by place: the job the walk takes back may be swapped out of it.
  p.elsewhere[place] = may_lead_elsewhere(job.kind);
  if (p.elsewhere[place]) ++p.links_on_the_way;
  std::swap(p.ring[place], job);
  bool wake = false;
  {
    const std::lock_guard hold(p.lock);
    p.done[place] = 0;
    ++p.tail;
    // A sleeping worker is woken once more jobs wait than the workers
    // awake will take in their next turn: one wake-up serves a chunk of
    // files, and where the file system is fast, few workers are awake.
    // One at a time, every job that waits wakes a worker that idles.
    const std::size_t awake = p.workers.size() - static_cast<std::size_t>(p.idle);
    const std::size_t enough = p.chunk == 1 ? 1 : p.chunk * (awake + 1);
    wake = p.idle > 0 && p.tail - p.taken >= enough;
  }
  if (wake) p.work.notify_one();
}

stamp_job* finished_job(stamp_pipeline& p, bool wait) {
  if (p.done_here != nullptr || p.workers.empty()) return p.done_here;
  if (p.head == p.tail) return nullptr;
  const std::size_t place = p.head % p.ring.size();
  std::unique_lock hold(p.lock);
  if (!p.done[place]) {
    if (!wait && !pipeline_full(p)) return nullptr;
    // What waits for a worker is worked on before the walk sleeps.
    if (p.idle > 0 && p.taken < p.tail) p.work.notify_all();
    p.walk_waits = true;
    p.finished.wait(hold, [&] { return p.done[place] != 0; });
    p.walk_waits = false;
  }
  return &p.ring[place];
}

void pop_job(stamp_pipeline& p) {
  if (p.done_here != nullptr || p.workers.empty()) {
    p.done_here = nullptr;
    return;
  }
  if (p.elsewhere[p.head % p.ring.size()]) --p.links_on_the_way;
  ++p.head;
}
