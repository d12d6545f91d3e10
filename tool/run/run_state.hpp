// The one owner of a run: everything the run knows and holds, passed
// explicitly from part to part. Its parts are the walk (listing, selecting:
// walk.cpp), the hand-out to workers (hand_out.cpp, with the journal's
// batches in batch.cpp, and the workers in pipeline.cpp), and the
// conclusion (learning a folder's trust, tallying: conclude.cpp), which
// says everything it says through report.cpp.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cli/advice.hpp"
#include "cli/summary.hpp"
#include "journal/journal.hpp"
#include "run/ahead.hpp"
#include "run/job.hpp"
#include "run/one_file.hpp"
#include "run/pipeline.hpp"
#include "run/plan.hpp"
#include "run/preparer.hpp"
#include "run/progress.hpp"
#include "run/trust.hpp"
#include "system/output.hpp"

struct walk_part {
  std::string path = "./";  // the folder being walked, "./" first, then the entry's name
  selection_clues clues;    // gathered while nothing is selected
  // A subfolder of a Takeout export's top folders ("Google Photos",
  // "Photos from 2019"), met by a --takeout run that does not walk into it.
  std::string export_subfolder;
  bool owned_here = true;  // the folder being walked holds files its sources own
  // The file system of the folder being walked, where a look found it: a
  // subfolder on the same one goes on with what was learnt of it.
  std::optional<unsigned long long> device;
  // Folders walked to their end whose files may still be on their way,
  // closed once every file handed out is finished: the walk goes on into
  // the next folder while the files of the ones before are set.
  std::vector<folder_handle*> left;
  int depth = 0;  // of the folder being walked, below the run's own
  // Open subfolders ahead of the walk, on a share: made as the walk starts.
  std::unique_ptr<listers> listing_ahead;
};

struct hand_out_part {
  run_journal* journal = nullptr;  // null without one
  stamp_pipeline pipeline;
  stamp_job job;  // the file being handed out, reused from file to file
  // With a journal: the first batch_count wait for their records, in
  // listing order. The places are reused, so queueing allocates nothing.
  std::vector<stamp_job> batch;
  std::size_t batch_count = 0;
  std::size_t batch_limit = 0;  // how many it takes now: it grows (batch.cpp)
  std::size_t batch_given = 0;  // of them, handed to the workers to prepare as they came
  // The batch recorded and not all set yet: prepared ahead (no workers),
  // while the thread that prepares the next one works; or by the workers,
  // its files set among the next batch's as that is queued.
  std::vector<stamp_job> recorded;
  std::size_t recorded_count = 0;
  std::size_t recorded_given = 0;  // of them, handed out to be set
  batch_preparer preparer;
  name_book names;  // files of more than one name met so far
};

struct conclusion_part {
  run_tally tally;                  // selected, left alone, and why
  std::int64_t utc_by_default = 0;  // stamped from a local-time shape read as UTC
  std::int64_t auto_reads = 0;      // no date in the base form, but --auto reads one
  std::int64_t zoned = 0;           // stamped from a name read in the zone of the run
  bool zone_noted = false;          // the zone was said before the first file
  bool failed = false;              // something selected was not stamped, or a listing failed
  bool stopped = false;             // standard output or the journal broke: the run ends here
  bool interrupted = false;         // Ctrl-C, or the like: the run ends here
  folder_knowledge folder;          // of the folder being walked
  progress shown;                   // what a person at a terminal sees of a long run
  std::string line;                 // the line being written, reused
};

struct run_state {
  const run_plan& plan;
  const system_calls& system;
  const run_output& output;
  walk_part walk;
  hand_out_part hand;
  conclusion_part end;
};
