#include "stamp/run.hpp"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>

#include "listing/listing.hpp"
#include "names/selection.hpp"
#include "platform/console.hpp"
#include "platform/local_zone.hpp"
#include "stamp/walk.hpp"

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
  const run_options& o = state.options;
  if (o.takeout && is_takeout_json(parts->extension)) return;  // sidecars and albums' metadata
  const std::size_t word = selecting_word(o.words, o.shift_given, parts->extension);
  if (word == std::string_view::npos) {
    if (state.selected == 0 && state.clues.other_case.empty()) {
      state.clues.other_case = extension_in_other_case(o, parts->extension);
    }
    return;
  }
  if (word < state.clues.matched.size()) state.clues.matched[word] = 1;
  ++state.selected;
  stamp_job& job = next_job(state);
  place_job(job, folder, entry, state.path);
  const std::optional<std::string_view> date_text =
      cut_date_text(parts->stem, o.front_cut, o.back_cut);
  if (o.takeout) {
    decide_from_sidecar(state, job, name, date_text);
  } else {
    job.decision = decide_time(date_text, state.rule, local_utc_offset);
  }
  if (state.journal != nullptr) {
    queue_for_journal(state);
  } else {
    hand_out(state, job);
  }
}

// Every file handed out from a folder is finished and concluded before its
// listing is left, whichever way the walk leaves it.
void finish_folder(walk_state& state) {
  if (state.journal != nullptr) record_and_hand_out(state);
  conclude_finished(state, true);
}

void walk(dir_listing* folder, walk_state& state);

// A folder named like a word may be where the user meant to run.
void note_folder(std::string_view name, walk_state& state) {
  if (!state.clues.folder_word.empty()) return;
  for (const std::string& word : state.options.words) {
    if (word == name && is_extension_word(word)) state.clues.folder_word = word;
  }
}

void walk_into(const dir_listing* parent, const dir_entry& entry, walk_state& state) {
  finish_folder(state);  // the files listed before the folder come first
  if (state.stopped) return;
  close_beside(state.sidecars.reader);  // descriptors held for closing, before a listing's
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
  const folder_knowledge outer = state.folder;  // a subfolder may be another file system
  state.folder = {};
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
    if (state.stopped) break;
  }
  finish_folder(state);
  if (const int error = state.stopped ? 0 : listing_error(folder)) {
    report_folder(state, "cannot read the folder ", error);
  }
  state.folder = outer;
}

}  // namespace

int run(const run_options& options, run_journal* journal, int jobs) {
  const auto started = std::chrono::steady_clock::now();
  stamp_pipeline pipeline;
  walk_state state{.options = options,
                   .rule = time_rule_of(options),
                   .path = "./",
                   .journal = options.dry_run ? nullptr : journal,
                   .pipeline = nullptr,
                   .clues = {{}, {}, std::vector<char>(options.words.size(), 0)}};
  if (jobs > 1) {
    std::string why;
    const int started = start_workers(pipeline, options, jobs, why);
    if (started < jobs && options.verbose) {
      report("could start " + std::to_string(started) + " of " + std::to_string(jobs) +
             " workers (" + why + "); going on with " +
             (started > 0 ? std::to_string(started) : "one thread"));
    }
    if (started > 0) state.pipeline = &pipeline;
  }
  dir_listing* top = open_listing(".");
  if (top == nullptr) {
    report_folder(state, "cannot list ", errno);
    return 1;
  }
  state.shown = start_progress(options.quiet);
  walk(top, state);
  close_listing(top);
  close_beside(state.sidecars.reader);
  end_progress(state.shown);
  report_end(state, started);
  return state.failed ? 1 : 0;
}
