// Stamping many files at once, for file systems where every call is a
// round trip (network shares, FUSE), with the output exactly as one thread
// gives it: files are announced in listing order before their times are
// set, and what came of each is reported in listing order too.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>
#include <vector>

#include "listing/listing.hpp"
#include "tool/arguments.hpp"
#include "tool/decision.hpp"
#include "tool/set_time.hpp"

struct walk_state;

// One file on its way: announced, waiting for a worker, or set.
struct stamp_slot {
  const dir_listing* folder = nullptr;
  dir_entry entry{};
  std::string path;
  stamp_decision decision;
  set_result result;
  bool verify = false;  // read the time back
  bool done = false;
};

struct stamp_pipeline {
  const run_options* options = nullptr;
  // A ring of slots; the counters only grow: [head, tail) are on their
  // way, [taken, tail) wait for a worker.
  std::vector<stamp_slot> ring;
  std::size_t head = 0;
  std::size_t taken = 0;
  std::size_t tail = 0;
  bool closing = false;
  std::mutex lock;
  std::condition_variable work;      // a slot waits, or the pipeline closes
  std::condition_variable finished;  // a slot is done
  std::vector<std::thread> workers;
};

// Starts jobs workers; at most four slots each are on their way at once,
// so memory does not grow with the number of files.
void start_pipeline(stamp_pipeline& pipeline, const run_options& options, int jobs);

// Announces a decided file and hands it to the workers, first reporting
// the files at the head that are done (and waiting while all slots are
// taken).
void push_stamp(walk_state& state, const dir_listing* folder, const dir_entry& entry,
                const std::string& path, stamp_decision decision, bool verify);

// Waits for every file on its way and reports each, in order. Called
// before a folder's listing is left.
void drain_stamps(walk_state& state);

// Drains, then ends the workers.
void stop_pipeline(walk_state& state);
