#include "run/walk.hpp"

#include <utility>

#include "run/consider.hpp"
#include "run/hand_out.hpp"
#include "run/report.hpp"
#include "run/report_run.hpp"
#include "run/subfolder.hpp"

namespace {

// From this depth down, a folder's files are finished before the walk
// goes deeper: the listings far above the deepest may be given back and
// opened again later (parked), and no file is on its way through one.
// Any depth up to the listing's own would do; half of it keeps the
// listers, which stop here too, well clear.
constexpr int finished_from_depth = listing_open_depth / 2;

void leave(run_state& run, folder_handle* folder) {
  run.walk.left.push_back(folder);
  // Each holds a descriptor: at most the system's share are left open
  // before the files handed out are finished and they are closed.
  if (run.walk.left.size() >= static_cast<std::size_t>(run.system.folders_held)) {
    finish_handed_out(run);
  }
}

// Whether the walk reads ahead of itself in the folder it is in: where
// times are slow to set (a share) and workers set them, above the depth
// from which listings may be parked.
bool looks_ahead(const run_state& run) {
  return run.plan.recursive && run.end.folder.sets == folder_knowledge::speed::slow &&
         !run.hand.pipeline.workers.empty() && run.walk.depth + 1 < finished_from_depth;
}

// Walks into a subfolder, opened ahead by a lister (its to take) or here.
void walk_into(run_state& run, const folder_handle* parent, const dir_entry& entry,
               opened_folder* ahead) {
  if (run.walk.depth >= finished_from_depth) {
    finish_handed_out(run);
    wait_listers(*run.walk.listing_ahead);  // none works through a listing parked below
  }
  if (run.end.stopped) return;
  run.system.done_beside(run.hand.pipeline.own.reader);  // the descriptors it holds, first
  opened_folder sub = ahead != nullptr
                          ? std::exchange(*ahead, {})
                          : open_subfolder_at(run.system, parent, entry, run.walk.path.c_str());
  run.walk.path.push_back('/');
  if (sub.folder == nullptr) {
    finish_handed_out(run);  // the files listed before the folder are said first
    say_folder_fault(run, "cannot list ", sub.error);
    run.end.failed = true;
    return;
  }
  const std::optional<unsigned long long> outer = run.walk.device;
  const bool same = sub.device && outer && *sub.device == *outer;
  run.walk.device = sub.device;
  ++run.walk.depth;
  walk(run, sub.folder, same, std::move(sub.first));
  --run.walk.depth;
  run.walk.device = outer;
  leave(run, sub.folder);
}

}  // namespace

void walk(run_state& run, folder_handle* folder, bool same_file_system,
          std::vector<dir_entry> first) {
  const folder_knowledge outer = run.end.folder;  // a subfolder may be another file system
  if (!same_file_system) {
    finish_handed_out(run);  // what the files before teach is of their own file system
    run.end.folder = {};
  }
  const bool outer_owned = run.walk.owned_here;
  run.walk.owned_here = run.plan.chain.size() > 1 && holds_owned(run);
  std::string& path = run.walk.path;
  listers& listing = *run.walk.listing_ahead;
  folder_ahead ahead;
  ahead.first = std::move(first);
  while (const dir_entry* entry =
             take_entry(listing, run.system, folder, ahead, looks_ahead(run), path)) {
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
      walk_into(run, folder, *entry, taken_ahead(listing, ahead));
    } else {
      consider(run, folder, *entry, name);
    }
    path.resize(folder_length);
    if (run.end.stopped) break;
  }
  drop_ahead(listing, run.system, ahead);
  const int error = run.end.stopped ? 0 : run.system.listing_error(folder);
  if (error != 0 || !same_file_system) finish_handed_out(run);
  if (error != 0) {
    say_folder_fault(run, "cannot read the folder ", error);
    run.end.failed = true;
  }
  if (!same_file_system) run.end.folder = outer;
  run.walk.owned_here = outer_owned;
}
