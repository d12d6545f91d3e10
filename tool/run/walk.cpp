#include "run/walk.hpp"

#include <cerrno>

#include "run/hand_out.hpp"
#include "run/report.hpp"

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

// A folder named like a word may be where the user meant to run.
void note_folder(run_state& run, std::string_view name) {
  std::string& folder_word = run.walk.clues.folder_word;
  if (!folder_word.empty()) return;
  for (const std::string& word : run.plan.selection.words) {
    if (word == name && is_extension_word(word)) folder_word = word;
  }
}

// Where a Takeout export keeps its photos: in the subfolders of the top
// folders, Takeout/ and Google Photos/.
void note_export_folder(run_state& run, std::string_view name) {
  if (!run.walk.export_subfolder.empty() || run.plan.chain.size() < 2) return;
  if (name == "Google Photos" || name == "Google Fotos" || name.starts_with("Photos from ")) {
    run.walk.export_subfolder = name;
  }
}

// Whether the folder being walked holds a file its sources own (a Takeout
// sidecar, an XMP file): a look over its names first, holding none of
// them. Where it cannot be looked over, it may hold some.
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

// Folders left open at most (each holds a descriptor) before the files
// handed out are finished and they are closed.
constexpr std::size_t most_left = 64;

// From this depth down, a folder's files are finished before the walk
// goes deeper: the listings far above the deepest may be given back and
// opened again later (parked), and no file is on its way through one.
constexpr int finished_from_depth = 32;

void leave(run_state& run, folder_handle* folder) {
  run.walk.left.push_back(folder);
  if (run.walk.left.size() >= most_left) finish_handed_out(run);
}

void walk_into(run_state& run, const folder_handle* parent, const dir_entry& entry) {
  if (run.walk.depth >= finished_from_depth) finish_handed_out(run);
  if (run.end.stopped) return;
  run.system.done_beside(run.hand.pipeline.own.reader);  // the descriptors it holds, first
  const std::optional<unsigned long long> device =
      device_at(run, parent, entry.name, run.walk.path.c_str());
  folder_handle* sub = run.system.open_subfolder(parent, entry, run.walk.path.c_str());
  run.walk.path.push_back('/');
  if (sub == nullptr) {
    const int error = errno;
    finish_handed_out(run);  // the files listed before the folder are said first
    say_folder_fault(run, "cannot list ", error);
    run.end.failed = true;
    return;
  }
  const std::optional<unsigned long long> outer = run.walk.device;
  const bool same = device && outer && *device == *outer;
  run.walk.device = device;
  ++run.walk.depth;
  walk(run, sub, same);
  --run.walk.depth;
  run.walk.device = outer;
  leave(run, sub);
}

}  // namespace

std::optional<unsigned long long> device_at(const run_state& run, const folder_handle* parent,
                                            const char* name, const char* path) {
  file_facts facts;
  const file_ref folder{parent, name, kind_directory, path};
  if (run.system.look(folder, facts) != 0 || facts.kind != kind_directory) return std::nullopt;
  return facts.device;
}

void walk(run_state& run, folder_handle* folder, bool same_file_system) {
  const folder_knowledge outer = run.end.folder;  // a subfolder may be another file system
  if (!same_file_system) {
    finish_handed_out(run);  // what the files before teach is of their own file system
    run.end.folder = {};
  }
  const bool outer_owned = run.walk.owned_here;
  run.walk.owned_here = run.plan.chain.size() > 1 && holds_owned(run);
  std::string& path = run.walk.path;
  while (const dir_entry* entry = run.system.next_entry(folder)) {
    if (run.system.interrupted()) {  // what was handed out is still finished
      run.end.interrupted = run.end.stopped = run.end.failed = true;
      break;
    }
    const std::string_view name(entry->name, static_cast<std::size_t>(entry->name_length));
    if (is_skipped_name(name)) continue;
    const std::size_t folder_length = path.size();
    path.append(name);
    if (entry->kind == kind_directory && run.end.tally.selected == 0) note_folder(run, name);
    if (entry->kind == kind_directory && !run.plan.recursive) note_export_folder(run, name);
    if (run.plan.recursive && entry->kind == kind_directory) {
      walk_into(run, folder, *entry);
    } else {
      consider(run, folder, *entry, name);
    }
    path.resize(folder_length);
    if (run.end.stopped) break;
  }
  const int error = run.end.stopped ? 0 : run.system.listing_error(folder);
  if (error != 0 || !same_file_system) finish_handed_out(run);
  if (error != 0) {
    say_folder_fault(run, "cannot read the folder ", error);
    run.end.failed = true;
  }
  if (!same_file_system) run.end.folder = outer;
  run.walk.owned_here = outer_owned;
}
