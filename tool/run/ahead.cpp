#include "run/ahead.hpp"

#include <algorithm>
#include <string_view>
#include <system_error>

#include "names/selection.hpp"

namespace {

// Entries read ahead of the walk in one folder, and folders opened ahead
// at once (each holds a descriptor), all folders together.
constexpr std::size_t most_entries_ahead = 32;
constexpr int most_open_ahead = 32;

// Listers: a share serves several requests at once.
constexpr int lister_count = 8;

// The entries a lister reads of a folder it opens: on a share each read
// is a round trip, and so is each look at an entry whose kind the file
// system does not give, which the walk would make one by one.
constexpr std::size_t first_entries = 8;

void read_first(const system_calls& system, opened_folder& opened) {
  while (opened.first.size() < first_entries) {
    const dir_entry* entry = system.next_entry(opened.folder);
    if (entry == nullptr) return;
    opened.first.push_back(*entry);
  }
}

// The folder's next entry: those its lister read first, then the listing's.
const dir_entry* next_of(const system_calls& system, folder_handle* folder, folder_ahead& ahead) {
  if (ahead.first_taken < ahead.first.size()) return &ahead.first[ahead.first_taken++];
  return system.next_entry(folder);
}

void list_ahead(listers& l, const system_calls& system) {
  std::unique_lock hold(l.lock);
  while (true) {
    l.work.wait(hold, [&] { return l.closing || !l.waiting.empty(); });
    if (l.waiting.empty()) return;  // closing, and nothing waits
    entry_ahead& e = *l.waiting.front();
    l.waiting.pop_front();
    ++l.busy;
    hold.unlock();
    e.opened = open_subfolder_at(system, e.parent, e.entry, e.path.c_str());
    if (e.opened.folder != nullptr) read_first(system, e.opened);
    hold.lock();
    --l.busy;
    e.ready = true;
    l.ready.notify_all();
  }
}

// Whether there are listers: started at the first folder to open ahead.
bool started(listers& l, const system_calls& system) {
  if (!l.threads.empty() || l.refused) return !l.refused;
  for (int i = 0; i < lister_count; ++i) {
    try {
      l.threads.emplace_back(list_ahead, std::ref(l), std::cref(system));
    } catch (const std::system_error&) {
      break;
    }
  }
  l.refused = l.threads.empty();
  return !l.refused;
}

void hand_to_lister(listers& l, entry_ahead& e) {
  e.opening = true;
  ++l.open;
  {
    const std::lock_guard hold(l.lock);
    l.waiting.push_back(&e);
  }
  l.work.notify_one();
}

void wait_ready(listers& l, const entry_ahead& e) {
  std::unique_lock hold(l.lock);
  l.ready.wait(hold, [&] { return e.ready; });
}

// Lets the first entry go, closing its folder where the walk did not take it.
void pop_front(listers& l, const system_calls& system, folder_ahead& ahead) {
  entry_ahead& e = ahead.entries.front();
  if (e.opening) {
    wait_ready(l, e);
    if (e.opened.folder != nullptr) system.close_folder(e.opened.folder);
    --l.open;
  }
  ahead.entries.pop_front();
}

void read_ahead_of(listers& l, const system_calls& system, folder_handle* folder,
                   folder_ahead& ahead, const std::string& path) {
  while (!ahead.ended && ahead.entries.size() < most_entries_ahead) {
    const dir_entry* next = next_of(system, folder, ahead);
    if (next == nullptr) {
      ahead.ended = true;
      return;
    }
    entry_ahead& e = ahead.entries.emplace_back();
    e.entry = *next;
    const std::string_view name(next->name, static_cast<std::size_t>(next->name_length));
    const int most_open = std::min(most_open_ahead, system.folders_held / 2);
    if (next->kind != kind_directory || is_skipped_name(name) || l.open >= most_open ||
        !started(l, system)) {
      continue;
    }
    e.parent = folder;
    e.path = path;
    e.path.append(name);
    hand_to_lister(l, e);
  }
}

}  // namespace

listers::~listers() {
  {
    const std::lock_guard hold(lock);
    closing = true;
  }
  work.notify_all();
  for (std::thread& lister : threads) lister.join();
}

const dir_entry* take_entry(listers& l, const system_calls& system, folder_handle* folder,
                            folder_ahead& ahead, bool look_ahead, const std::string& path) {
  if (ahead.front_taken) {
    pop_front(l, system, ahead);
    ahead.front_taken = false;
  }
  if (look_ahead) read_ahead_of(l, system, folder, ahead, path);
  if (ahead.entries.empty()) return ahead.ended ? nullptr : next_of(system, folder, ahead);
  ahead.front_taken = true;
  return &ahead.entries.front().entry;
}

opened_folder* taken_ahead(listers& l, folder_ahead& ahead) {
  if (!ahead.front_taken || !ahead.entries.front().opening) return nullptr;
  entry_ahead& e = ahead.entries.front();
  wait_ready(l, e);
  return &e.opened;
}

void wait_listers(listers& l) {
  std::unique_lock hold(l.lock);
  l.ready.wait(hold, [&] { return l.waiting.empty() && l.busy == 0; });
}

void drop_ahead(listers& l, const system_calls& system, folder_ahead& ahead) {
  while (!ahead.entries.empty()) pop_front(l, system, ahead);
  ahead.front_taken = false;
}
