#include <cerrno>
#include <cstring>

#include "tool/console.hpp"
#include "tool/decision.hpp"
#include "tool/local_zone.hpp"
#include "tool/walk.hpp"

namespace {

// Files a journal write covers at once: few enough to keep memory small,
// enough that syncing costs little per file.
constexpr std::size_t batch_size = 256;

}  // namespace

void tally(stamp_result result, walk_state& state) {
  switch (result) {
    case stamp_result::stamped:
      break;
    case stamp_result::not_stamped:
      ++state.left_alone;
      state.failed = true;
      break;
    case stamp_result::output_failed:
      report(std::string("cannot write to standard output: ") + std::strerror(errno));
      ++state.left_alone;
      state.failed = true;
      state.stopped = true;
      break;
  }
}

void defer_stamp(const dir_listing* folder, const dir_entry& entry,
                 std::optional<std::string_view> date_text, walk_state& state) {
  state.batch_folder = folder;
  state.batch.push_back({entry, state.path, date_text ? std::optional<std::string>(*date_text)
                                                      : std::nullopt});
  if (state.batch.size() == batch_size) stamp_deferred(state);
}

void stamp_deferred(walk_state& state) {
  if (state.batch.empty()) return;
  std::vector<stamp_decision> decisions;
  decisions.reserve(state.batch.size());
  for (const pending_stamp& p : state.batch) {
    const file_ref file{state.batch_folder, &p.entry, p.path.c_str()};
    decisions.push_back(decide_time(p.date_text, state.options, local_utc_offset));
    file_time before;
    const stamp_decision& d = decisions.back();
    // A file whose time cannot be read is not stamped either: no record.
    if (d.time && read_modified_time(file, before) == 0) {
      add_record(*state.journal, p.path, before, platform_precision(*d.time));
    }
  }
  if (const int error = commit_records(*state.journal)) {
    report("cannot write the journal " + in_quotes(state.journal->path) + ": " +
           std::strerror(error) + "; stopped before the files it did not record");
    state.left_alone += static_cast<std::int64_t>(state.batch.size());
    state.failed = state.stopped = true;
  }
  for (std::size_t i = 0; i < state.batch.size() && !state.stopped; ++i) {
    const pending_stamp& p = state.batch[i];
    const file_ref file{state.batch_folder, &p.entry, p.path.c_str()};
    tally(stamp_decided(file, decisions[i], state.options), state);
    if (state.stopped) {
      state.left_alone += static_cast<std::int64_t>(state.batch.size() - i - 1);
    }
  }
  state.batch.clear();
}
