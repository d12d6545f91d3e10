// The memory system's listings: a folder's entries as they were when it
// was opened, "." and ".." first, then by name.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>

#include "system/memory_paths.hpp"

struct folder_handle {
  std::string path;                // full
  std::vector<dir_entry> entries;  // as listed when opened, "." and ".." first
  std::size_t next = 0;
  int error = 0;
};

namespace {

using lock_guard = std::lock_guard<std::mutex>;

folder_handle* open_folder(memory_system& fs, const std::string& full) {
  const lock_guard hold(fs.lock);
  const auto found = fs.entries.find(full);
  if (const int error = fault_of(fs, "list", full)) {
    errno = error;
    return nullptr;
  }
  if (found == fs.entries.end() || found->second->kind != kind_directory) {
    errno = found == fs.entries.end() ? ENOENT : ENOTDIR;
    return nullptr;
  }
  auto* folder = new folder_handle{full, {}, 0, 0};
  if (full == fs.root) fs.root_opener = std::this_thread::get_id();
  if (std::this_thread::get_id() != fs.root_opener) ++fs.folders_opened_ahead;
  fs.folders_open.insert(folder);
  fs.most_folders_open = std::max(fs.most_folders_open, fs.folders_open.size());
  const auto add = [&](std::string_view name, const std::shared_ptr<memory_file>& shared) {
    const memory_file& file = *shared;
    dir_entry e{};
    std::memcpy(e.name, name.data(), name.size());
    e.name_length = static_cast<int>(name.size());
    e.kind = file.kind;
    e.file_number = file.number;
    e.looked = fs.listing_looks;  // links too, as a real listing does
    if (e.looked) {
      const unix_time t = to_unix_time(file.mtime);
      const auto names = static_cast<unsigned>(shared.use_count());
      e.look = {t.seconds, t.nanoseconds, file.owner, names, 0, file.number};
    }
    folder->entries.push_back(e);
  };
  add(".", found->second);
  add("..", found->second);
  const std::string prefix = full + "/";
  for (auto at = fs.entries.upper_bound(prefix); at != fs.entries.end(); ++at) {
    if (!at->first.starts_with(prefix)) break;
    const std::string_view name = std::string_view(at->first).substr(prefix.size());
    if (name.find('/') == std::string_view::npos) add(name, at->second);
  }
  return folder;
}

const dir_entry* next_entry(memory_system& fs, folder_handle* folder) {
  if (folder->error != 0 || folder->next == folder->entries.size()) return nullptr;
  const dir_entry& e = folder->entries[folder->next];
  const lock_guard hold(fs.lock);
  if (const int error = fault_of(fs, "list", folder->path + "/" + e.name)) {
    folder->error = error;
    errno = error;
    return nullptr;
  }
  ++folder->next;
  return &e;
}

}  // namespace

void add_listing_calls(memory_system& fs, system_calls& c) {
  c.open_folder = [&fs](const char* path) { return open_folder(fs, full_path(fs, path)); };
  c.open_subfolder = [&fs](const folder_handle*, const dir_entry&, const char* path) {
    return open_folder(fs, full_path(fs, path));
  };
  c.next_entry = [&fs](folder_handle* folder) { return next_entry(fs, folder); };
  c.listing_error = [](const folder_handle* folder) { return folder->error; };
  c.close_folder = [&fs](folder_handle* folder) {
    const lock_guard hold(fs.lock);
    fs.folders_open.erase(folder);
    delete folder;
  };
}
