#include <cstring>

#include "platform/console.hpp"
#include "stamp/walk.hpp"

namespace {

// Files a journal write covers at once: few enough to keep memory small,
// enough that syncing costs little per file.
constexpr std::size_t batch_size = 256;

}  // namespace

stamp_job& next_job(walk_state& state) {
  if (state.journal == nullptr) return state.job;
  if (state.batch.size() < batch_size) state.batch.resize(batch_size);
  return state.batch[state.batch_count];
}

void queue_for_journal(walk_state& state) {
  if (++state.batch_count == batch_size) record_and_hand_out(state);
}

void record_and_hand_out(walk_state& state) {
  const std::size_t count = state.batch_count;
  if (count == 0) return;
  state.batch_count = 0;
  if (state.stopped) {
    state.left_alone += static_cast<std::int64_t>(count);
    return;
  }
  for (std::size_t i = 0; i < count; ++i) {
    stamp_job& job = state.batch[i];
    if (!job.decision.time) continue;
    file_time before;
    std::optional<file_time> created;
    int error = read_modified_time(file_of(job), before);
    if (error == 0 && state.options.created) {
      created.emplace();
      error = read_creation_time(file_of(job), *created);
    }
    if (error == error_is_directory) continue;  // refused as such when it is set
    if (error != 0) {
      // No record, no stamp: a file the journal cannot undo is left alone.
      job.decision = {std::nullopt, cannot_set,
                      "its time cannot be read for the journal: " + error_text(error), std::nullopt,
                      job.decision.basis};
      continue;
    }
    add_record(*state.journal, job.path, before, platform_precision(*job.decision.time), created);
  }
  if (const int error = commit_records(*state.journal)) {
    report("cannot write the journal " + in_quotes(state.journal->path) + ": " +
           std::strerror(error) + "; stopped before the files it did not record");
    state.left_alone += static_cast<std::int64_t>(count);
    state.failed = state.stopped = true;
  }
  for (std::size_t i = 0; i < count && !state.stopped; ++i) {
    hand_out(state, state.batch[i]);
    if (state.stopped) state.left_alone += static_cast<std::int64_t>(count - i - 1);
  }
}
