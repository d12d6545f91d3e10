#include "run/consider.hpp"

#include "run/hand_out.hpp"

namespace {

// Whether an entry is the run's own journal, kept in the folder it stamps:
// never selected, never stamped. Its number tells it, a look confirms it.
bool is_own_journal(const run_state& run, const folder_handle* folder, const dir_entry& entry) {
  const run_journal* journal = run.hand.journal;
  if (journal == nullptr || entry.file_number != journal->identity.file) return false;
  file_facts facts;
  const file_ref file{folder, entry.name, kind_regular, run.walk.path.c_str()};
  return run.system.look(file, facts) == 0 && identity_of(facts) == journal->identity;
}

}  // namespace

void consider(run_state& run, const folder_handle* folder, const dir_entry& entry,
              std::string_view name) {
  const std::optional<name_parts> parts = split_name(name);
  if (!parts || is_own_journal(run, folder, entry)) return;
  const selection_rule& selection = run.plan.selection;
  selection_clues& clues = run.walk.clues;
  // With --takeout, sidecars and albums' metadata are Takeout's own.
  if (owned_by_sources(run.plan.chain, parts->extension)) return;
  const std::size_t word = selecting_word(selection.words, selection.shift_given, parts->extension);
  if (word == std::string_view::npos) {
    if (run.end.tally.selected == 0 && clues.other_case.empty()) {
      clues.other_case = extension_in_other_case(selection, parts->extension);
    }
    return;
  }
  if (word < clues.matched.size()) clues.matched[word] = 1;
  ++run.end.tally.selected;
  stamp_job& job = next_place(run);
  place_job(job, folder, entry, run.walk.path, parts->stem.size());
  job.owned_beside = run.walk.owned_here;
  hand_on(run);
}

void note_folder(run_state& run, std::string_view name) {
  std::string& folder_word = run.walk.clues.folder_word;
  if (!folder_word.empty()) return;
  for (const std::string& word : run.plan.selection.words) {
    if (word == name && is_extension_word(word)) folder_word = word;
  }
}

void note_export_folder(run_state& run, std::string_view name) {
  if (!run.walk.export_subfolder.empty() || run.plan.chain.size() < 2) return;
  if (name == "Google Photos" || name == "Google Fotos" || name.starts_with("Photos from ")) {
    run.walk.export_subfolder = name;
  }
}

bool holds_owned(run_state& run) {
  std::string path = run.walk.path;  // "./a/": "./a"
  path.pop_back();
  folder_handle* folder = run.system.open_folder(path.c_str());
  if (folder == nullptr) return true;
  bool owned = false;
  while (const dir_entry* entry = run.system.next_entry(folder)) {
    const std::string_view name(entry->name, static_cast<std::size_t>(entry->name_length));
    const std::optional<name_parts> parts = split_name(name);
    if (parts && owned_by_sources(run.plan.chain, parts->extension)) {
      owned = true;
      break;
    }
  }
  owned = owned || run.system.listing_error(folder) != 0;
  run.system.close_folder(folder);
  return owned;
}
