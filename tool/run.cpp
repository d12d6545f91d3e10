#include "tool/run.hpp"

#include <cerrno>
#include <cstring>
#include <string>

#include "listing/listing.hpp"
#include "tool/advice.hpp"
#include "tool/console.hpp"
#include "tool/decision.hpp"
#include "tool/local_zone.hpp"
#include "tool/selection.hpp"
#include "tool/stamp.hpp"
#include "tool/walk.hpp"

namespace {

void report_folder(walk_state& state, std::string_view what, int error) {
  // The folder's path is the walk's path without its trailing "/".
  const std::string_view folder(state.path.data(), state.path.size() - 1);
  report(std::string(what) + in_quotes(folder) + ": " + std::strerror(error));
  state.failed = true;
}

void consider(const dir_listing* folder, const dir_entry& entry, std::string_view name,
              walk_state& state) {
  const std::optional<name_parts> parts = split_name(name);
  if (!parts) return;
  if (!extension_selected(state.options, parts->extension)) {
    if (state.selected == 0 && state.clues.other_case.empty()) {
      state.clues.other_case = extension_in_other_case(state.options, parts->extension);
    }
    return;
  }
  ++state.selected;
  const std::optional<std::string_view> date_text =
      cut_date_text(parts->stem, state.options.front_cut, state.options.back_cut);
  if (state.journal != nullptr && !state.options.dry_run) {
    defer_stamp(folder, entry, date_text, state);
  } else {
    stamp_in_order(state, folder, entry, state.path,
                   decide_time(date_text, state.options, local_utc_offset));
  }
}

void walk(dir_listing* folder, walk_state& state);
void walk_entries(dir_listing* folder, walk_state& state);

// A folder named like a word may be where the user meant to run.
void note_folder(std::string_view name, walk_state& state) {
  if (!state.clues.folder_word.empty()) return;
  for (const std::string& word : state.options.words) {
    if (word == name && is_extension_word(word)) state.clues.folder_word = word;
  }
}

void walk_into(const dir_listing* parent, const dir_entry& entry, walk_state& state) {
  stamp_deferred(state);  // the files listed before the folder come first
  drain_stamps(state);
  if (state.stopped) return;
  dir_listing* sub = open_sublisting(parent, entry, state.path.c_str());
  state.path.push_back('/');
  if (sub == nullptr) {
    report_folder(state, "cannot list ", errno);
  } else {
    walk(sub, state);
    close_listing(sub);
  }
}

// Depth first, in listing order: one open listing per level, so memory
// grows with the depth of the tree and never with the number of files.
void walk(dir_listing* folder, walk_state& state) {
  const folder_trust outer = state.trust;  // a subfolder may be another file system
  state.trust = folder_trust::unknown;
  walk_entries(folder, state);
  state.trust = outer;
}

void walk_entries(dir_listing* folder, walk_state& state) {
  while (const dir_entry* entry = next_entry(folder)) {
    const std::string_view name(entry->name, static_cast<std::size_t>(entry->name_length));
    if (is_skipped_name(name)) continue;
    const std::size_t folder_length = state.path.size();
    state.path.append(name);
    if (entry->kind == kind_directory && state.selected == 0) note_folder(name, state);
    if (state.options.recursive && entry->kind == kind_directory) {
      walk_into(folder, *entry, state);
    } else {
      consider(folder, *entry, name, state);
    }
    state.path.resize(folder_length);
    if (state.stopped) return;
  }
  stamp_deferred(state);
  drain_stamps(state);  // before the listing the files are reached through is left
  if (const int error = listing_error(folder))
    report_folder(state, "cannot read the folder ", error);
}

}  // namespace

int run(const run_options& options, run_journal* journal, int jobs) {
  stamp_pipeline pipeline;
  walk_state state{.options = options,
                   .path = "./",
                   .journal = journal,
                   .pipeline = jobs > 1 ? &pipeline : nullptr};
  if (state.pipeline != nullptr) start_pipeline(pipeline, options, jobs);
  dir_listing* top = open_listing(".");
  if (top == nullptr) {
    report_folder(state, "cannot list ", errno);
    if (state.pipeline != nullptr) stop_pipeline(state);
    return 1;
  }
  walk(top, state);
  if (state.pipeline != nullptr) stop_pipeline(state);
  close_listing(top);
  // Said last, so that a long run's few refusals are not lost in scrolling.
  if (state.selected == 0 && !state.stopped) {
    report(nothing_selected(options, options.directory.empty() ? "." : options.directory,
                            state.clues));
  }
  if (state.left_alone > 0) report(left_alone(state.left_alone, state.selected));
  return state.failed ? 1 : 0;
}
