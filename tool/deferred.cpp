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

namespace {

// The first file a folder stamps tells what its file system keeps.
void learn_trust(walk_state& state, const file_ref& file, const set_result& result) {
  if (result.error == error_not_held) state.trust = folder_trust::checks_each;
  if (result.error != 0) return;
  if (state.trust == folder_trust::unknown) state.trust = folder_trust::keeps;
  if (result.rounded && result.now) {
    const std::string_view path(file.path);
    const std::string_view folder = path.substr(0, path.rfind('/'));
    report("the file system of " + in_quotes(folder) + " keeps times in steps: " + in_quotes(path) +
           " holds " + format_utc(*result.now) +
           ", and the folder's other files are rounded alike");
  }
}

}  // namespace

void stamp_in_order(walk_state& state, const dir_listing* folder, const dir_entry& entry,
                    const std::string& path, stamp_decision decision) {
  const bool probe =
      state.trust == folder_trust::unknown && decision.time && !state.options.dry_run;
  if (state.pipeline != nullptr && !probe) {
    push_stamp(state, folder, entry, path, std::move(decision),
               state.trust == folder_trust::checks_each);
    return;
  }
  drain_stamps(state);  // what was on its way comes first
  const file_ref file{folder, &entry, path.c_str()};
  if (!announce(file, state.options)) {
    tally(stamp_result::output_failed, state);
    return;
  }
  const set_result result =
      apply(file, decision, state.options, state.trust != folder_trust::keeps);
  learn_trust(state, file, result);
  tally(conclude(file, decision, result, state.options), state);
}

void defer_stamp(const dir_listing* folder, const dir_entry& entry,
                 std::optional<std::string_view> date_text, walk_state& state) {
  state.batch_folder = folder;
  if (state.batch.size() < batch_size) state.batch.resize(batch_size);
  pending_stamp& p = state.batch[state.batch_count++];
  p.entry = entry;
  p.path.assign(state.path);
  p.has_date_text = date_text.has_value();
  p.date_text.assign(date_text.value_or(std::string_view()));
  if (state.batch_count == batch_size) stamp_deferred(state);
}

void stamp_deferred(walk_state& state) {
  const std::size_t count = state.batch_count;
  if (count == 0) return;
  state.batch_count = 0;
  for (std::size_t i = 0; i < count; ++i) {
    pending_stamp& p = state.batch[i];
    const file_ref file{state.batch_folder, &p.entry, p.path.c_str()};
    p.decision =
        decide_time(p.has_date_text ? std::optional<std::string_view>(p.date_text) : std::nullopt,
                    state.options, local_utc_offset);
    file_time before;
    const stamp_decision& d = p.decision;
    // A file whose time cannot be read is not stamped either: no record.
    if (d.time && read_modified_time(file, before) == 0) {
      add_record(*state.journal, p.path, before, platform_precision(*d.time));
    }
  }
  if (const int error = commit_records(*state.journal)) {
    report("cannot write the journal " + in_quotes(state.journal->path) + ": " +
           std::strerror(error) + "; stopped before the files it did not record");
    state.left_alone += static_cast<std::int64_t>(count);
    state.failed = state.stopped = true;
  }
  for (std::size_t i = 0; i < count && !state.stopped; ++i) {
    pending_stamp& p = state.batch[i];
    stamp_in_order(state, state.batch_folder, p.entry, p.path, std::move(p.decision));
    if (state.stopped) state.left_alone += static_cast<std::int64_t>(count - i - 1);
  }
}
