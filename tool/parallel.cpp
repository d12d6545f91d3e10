#include "tool/parallel.hpp"

#include "tool/stamp.hpp"
#include "tool/walk.hpp"

namespace {

void work(stamp_pipeline& p) {
  std::unique_lock hold(p.lock);
  while (true) {
    p.work.wait(hold, [&] { return p.closing || p.taken < p.tail; });
    if (p.taken == p.tail) return;  // closing, and nothing waits
    stamp_slot& slot = p.ring[p.taken++ % p.ring.size()];
    hold.unlock();
    const file_ref file{slot.folder, &slot.entry, slot.path.c_str()};
    const set_result result = apply(file, slot.decision, *p.options, slot.verify);
    hold.lock();
    slot.result = result;
    slot.done = true;
    p.finished.notify_all();
  }
}

// Reports the files at the head that are done, in order; with all, or
// while every slot is taken, waits for the next one.
void report_done(walk_state& state, bool all) {
  stamp_pipeline& p = *state.pipeline;
  std::unique_lock hold(p.lock);
  while (p.head < p.tail) {
    stamp_slot& slot = p.ring[p.head % p.ring.size()];
    if (!slot.done) {
      if (!all && p.tail - p.head < p.ring.size()) return;
      p.finished.wait(hold, [&] { return slot.done; });
    }
    hold.unlock();
    const file_ref file{slot.folder, &slot.entry, slot.path.c_str()};
    tally(conclude(file, slot.decision, slot.result, *p.options), state);
    hold.lock();
    ++p.head;
  }
}

}  // namespace

void start_pipeline(stamp_pipeline& pipeline, const run_options& options, int jobs) {
  pipeline.options = &options;
  pipeline.ring.resize(static_cast<std::size_t>(jobs) * 4);
  for (int i = 0; i < jobs; ++i) pipeline.workers.emplace_back(work, std::ref(pipeline));
}

void push_stamp(walk_state& state, const dir_listing* folder, const dir_entry& entry,
                const std::string& path, stamp_decision decision, bool verify) {
  stamp_pipeline& p = *state.pipeline;
  report_done(state, false);
  if (state.stopped) return;
  // The slot at the tail is no worker's until tail moves past it.
  stamp_slot& slot = p.ring[p.tail % p.ring.size()];
  slot.folder = folder;
  slot.entry = entry;
  slot.path.assign(path);
  slot.decision = std::move(decision);
  slot.verify = verify;
  slot.done = false;
  const file_ref file{folder, &slot.entry, slot.path.c_str()};
  if (!announce(file, *p.options)) {
    tally(stamp_result::output_failed, state);
    return;
  }
  {
    const std::lock_guard hold(p.lock);
    ++p.tail;
  }
  p.work.notify_one();
}

void drain_stamps(walk_state& state) {
  if (state.pipeline != nullptr) report_done(state, true);
}

void stop_pipeline(walk_state& state) {
  stamp_pipeline& p = *state.pipeline;
  report_done(state, true);
  {
    const std::lock_guard hold(p.lock);
    p.closing = true;
  }
  p.work.notify_all();
  for (std::thread& worker : p.workers) worker.join();
}
