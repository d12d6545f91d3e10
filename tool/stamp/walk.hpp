// The stamping room: one run's walk over its folders, and the one path
// every selected file takes, whichever thread sets its time: decided when
// it is listed, recorded in the journal when there is one, announced, set,
// and concluded in listing order.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/advice.hpp"
#include "cli/arguments.hpp"
#include "journal/journal.hpp"
#include "platform/beside.hpp"
#include "stamp/job.hpp"
#include "stamp/pipeline.hpp"
#include "stamp/progress.hpp"
#include "stamp/stamp_file.hpp"
#include "stamp/trust.hpp"
#include "takeout/sidecar_names.hpp"

// With --takeout: the places a file's sidecar is looked for in, reused
// from file to file.
struct sidecar_search {
  std::vector<sidecar_candidate> candidates;
  beside_reader reader;  // the sidecar read, and what reading keeps
  std::string path;      // the sidecar's path, as the user sees it
};

struct walk_state {
  const run_options& options;
  time_rule rule;                   // how names are read, from the options
  std::string path;                 // the folder being walked, "./" first, then the entry's name
  run_journal* journal;             // null without --journal
  stamp_pipeline* pipeline;         // null when one thread stamps
  std::int64_t selected = 0;        // entries that passed the selection
  std::int64_t left_alone = 0;      // of those, the ones not stamped
  std::int64_t utc_by_default = 0;  // stamped from a local-time shape read as UTC
  std::int64_t no_date = 0;         // left alone: no date could be read from the name
  std::int64_t not_set = 0;         // left alone: its time could not be set
  selection_clues clues{};          // gathered while nothing is selected
  bool failed = false;              // something selected was not stamped, or a listing failed
  bool stopped = false;             // standard output or the journal broke: the run ends here
  folder_knowledge folder{};        // of the folder being walked
  stamp_job job{};                  // the file being considered, reused from file to file
  std::string line{};               // the output line being written, reused
  progress shown{};                 // what a person at a terminal sees of a long run
  sidecar_search sidecars{};        // with --takeout
  // With a journal: the first batch_count wait for their records, in
  // listing order. The places are reused, so queueing allocates nothing.
  std::vector<stamp_job> batch{};
  std::size_t batch_count = 0;
};

// Counts what came of one selected file.
void tally(stamp_result result, walk_state& state);

// Hands a decided job on: announced, then set here or by a worker, and
// concluded in listing order. Its contents may be taken.
void hand_out(walk_state& state, stamp_job& job);

// With --takeout: decides the job's time from the Takeout sidecar beside
// it, or, where it has none, from date_text, what is left of its name to
// read a date from.
void decide_from_sidecar(walk_state& state, stamp_job& job, std::string_view media_name,
                         std::optional<std::string_view> date_text);

// Says, once the walk is over, what came of the run begun at started.
void report_end(const walk_state& state, std::chrono::steady_clock::time_point started);

// Concludes the jobs the workers have finished, in order; with all, waits
// for every job on its way. Called before a folder's listing is left.
void conclude_finished(walk_state& state, bool all);

// The place the next selected file is decided in: with a journal, the
// batch's next place, so that queueing it moves nothing.
stamp_job& next_job(walk_state& state);

// With a journal: queues the job decided in next_job's place, and records
// and hands out the queue once it is full.
void queue_for_journal(walk_state& state);

// Writes and syncs the records of the queued jobs, then hands them out in
// order; a journal that cannot be written stops the run before any of them.
void record_and_hand_out(walk_state& state);
