// The state of one run's walk, shared by the walk and the stamping that
// a journal defers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "listing/listing.hpp"
#include "tool/advice.hpp"
#include "tool/arguments.hpp"
#include "tool/journal.hpp"
#include "tool/parallel.hpp"
#include "tool/stamp.hpp"

// A selected file whose stamping waits until its record is on the disk.
struct pending_stamp {
  dir_entry entry;  // a copy: the listing moves on
  std::string path;
  bool has_date_text = false;
  std::string date_text;
  stamp_decision decision;
};

// What the run knows of the current folder's file system: whether it keeps
// the times it is given. A folder's first stamped file is read back to
// find out; where the file system does not keep them, every file of the
// folder is.
enum class folder_trust { unknown, keeps, checks_each };

struct walk_state {
  const run_options& options;
  std::string path;             // the folder being walked, "./" first, then the entry's name
  run_journal* journal;         // null without --journal
  stamp_pipeline* pipeline;     // null when one thread stamps
  std::int64_t selected = 0;    // entries that passed the selection
  std::int64_t left_alone = 0;  // of those, the ones not stamped
  selection_clues clues{};      // gathered while nothing is selected
  bool failed = false;          // something selected was not stamped, or a listing failed
  bool stopped = false;         // standard output or the journal broke: the run ends here
  folder_trust trust = folder_trust::unknown;
  const dir_listing* batch_folder = nullptr;
  // With a journal: the first batch_count are queued, in listing order.
  // The slots are reused, so that queueing a file allocates nothing.
  std::vector<pending_stamp> batch{};
  std::size_t batch_count = 0;
};

// Counts what came of one selected file.
void tally(stamp_result result, walk_state& state);

// Stamps a decided file, now or through the pipeline, reading back what
// the current folder's trust asks for, and reports it in order.
void stamp_in_order(walk_state& state, const dir_listing* folder, const dir_entry& entry,
                    const std::string& path, stamp_decision decision);

// With a journal: queues a selected file, and stamps the queue once it is full.
void defer_stamp(const dir_listing* folder, const dir_entry& entry,
                 std::optional<std::string_view> date_text, walk_state& state);

// Writes and syncs the records of the queued files, then stamps them in
// order; a journal that cannot be written stops the run before any of them.
void stamp_deferred(walk_state& state);
