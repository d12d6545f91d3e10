#include "run/walk.hpp"

#include <cerrno>

#include "run/consider.hpp"
#include "run/hand_out.hpp"
#include "run/report.hpp"

namespace {

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
