// The memory system's descriptors: the journal, appended to, synced, and
// read back.
#include <algorithm>
#include <cerrno>

#include "system/memory_paths.hpp"

namespace {

using lock_guard = std::lock_guard<std::mutex>;

memory_file* descriptor_file(memory_system& fs, int descriptor) {
  const auto open = fs.open.find(descriptor);
  return open == fs.open.end() ? nullptr : open->second.get();
}

int hold_open(memory_system& fs, const std::shared_ptr<memory_file>& file) {
  int descriptor = 10 + static_cast<int>(fs.open.size());
  while (fs.open.contains(descriptor)) ++descriptor;
  fs.open[descriptor] = file;
  return descriptor;
}

int open_appending(memory_system& fs, const std::string& path, int& descriptor, bool& created) {
  const lock_guard hold(fs.lock);
  const std::string full = full_path(fs, path);
  auto& file = fs.entries[full];
  created = file == nullptr;
  if (created) {
    file = std::make_shared<memory_file>(memory_file{kind_regular, {}, "", fs.next_number++});
  }
  if (file->kind != kind_regular) return ENODEV;
  descriptor = hold_open(fs, file);
  return 0;
}

int append(memory_system& fs, int descriptor, std::string_view text) {
  const lock_guard hold(fs.lock);
  memory_file* file = descriptor_file(fs, descriptor);
  if (file == nullptr) return EBADF;
  const auto size = static_cast<long long>(file->data.size());
  const auto wanted = static_cast<long long>(text.size());
  if (fs.room >= 0 && size + wanted > fs.room) {
    file->data.append(text.substr(0, static_cast<std::size_t>(std::max(0LL, fs.room - size))));
    return ENOSPC;
  }
  file->data.append(text);
  return 0;
}

int open_reading(memory_system& fs, const std::string& path, int& descriptor) {
  const lock_guard hold(fs.lock);
  const std::string full = followed(fs, full_path(fs, path));
  if (full.empty()) return ENOENT;
  if (fs.entries.at(full)->kind != kind_regular) return ENODEV;
  descriptor = hold_open(fs, fs.entries.at(full));
  return 0;
}

}  // namespace

void add_descriptor_calls(memory_system& fs, system_calls& c) {
  c.open_appending = [&fs](const std::string& path, int& descriptor, bool& created) {
    return open_appending(fs, path, descriptor, created);
  };
  c.lock = [&fs](int descriptor) {
    if (fs.before_lock) fs.before_lock();
    const lock_guard hold(fs.lock);
    return fs.locked.try_emplace(fs.open.at(descriptor).get(), descriptor).second ? 0 : EWOULDBLOCK;
  };
  c.append = [&fs](int descriptor, std::string_view text) { return append(fs, descriptor, text); };
  c.sync = [&fs](int) {
    const lock_guard hold(fs.lock);
    if (fs.fail_syncs_after == 0) return EIO;
    if (fs.fail_syncs_after > 0) --fs.fail_syncs_after;
    return 0;
  };
  c.cut_back = [&fs](int descriptor, std::int64_t size) {
    const lock_guard hold(fs.lock);
    descriptor_file(fs, descriptor)->data.resize(static_cast<std::size_t>(size));
    return 0;
  };
  c.size_of = [&fs](int descriptor, std::int64_t& size) {
    const lock_guard hold(fs.lock);
    size = static_cast<std::int64_t>(descriptor_file(fs, descriptor)->data.size());
    return 0;
  };
  c.identify = [&fs](int descriptor, file_identity& identity) {
    const lock_guard hold(fs.lock);
    identity = {0, descriptor_file(fs, descriptor)->number};
    return 0;
  };
  c.sync_folder_of = [](const std::string&) { return 0; };
  c.close = [&fs](int descriptor) {
    const lock_guard hold(fs.lock);
    const auto held = fs.locked.find(fs.open.at(descriptor).get());
    if (held != fs.locked.end() && held->second == descriptor) fs.locked.erase(held);
    fs.open.erase(descriptor);
  };
  c.open_reading = [&fs](const std::string& path, int& descriptor) {
    return open_reading(fs, path, descriptor);
  };
  c.open_updating = [&fs](const std::string& path, int& descriptor) {
    return open_reading(fs, path, descriptor);
  };
  c.open_data = [&fs](const file_ref& file, int& descriptor) {
    {
      const std::lock_guard hold(fs.lock);
      if (const int error = through_closed_folder(fs, file)) return error;
    }
    if (const int error = fault_of(fs, "data", full_path(fs, file.path))) return error;
    return open_reading(fs, file.path, descriptor);
  };
  c.replaces_open_files = !fs.open_files_stay;
  c.replace = [&fs](const std::string& from, const std::string& to) {
    const lock_guard hold(fs.lock);
    const auto found = fs.entries.find(full_path(fs, from));
    if (found == fs.entries.end()) return ENOENT;
    const auto target = fs.entries.find(full_path(fs, to));
    if (fs.open_files_stay && target != fs.entries.end() &&
        std::any_of(fs.open.begin(), fs.open.end(),
                    [&](const auto& open) { return open.second == target->second; })) {
      return EACCES;
    }
    fs.entries[full_path(fs, to)] = found->second;  // what was open stays open, unnamed
    fs.entries.erase(found);
    return 0;
  };
  c.read_at = [&fs](int descriptor, std::int64_t offset, std::size_t size, std::string& text) {
    const lock_guard hold(fs.lock);
    const std::string& data = descriptor_file(fs, descriptor)->data;
    const auto at = std::min(data.size(), static_cast<std::size_t>(offset));
    text.assign(data, at, size);
    return 0;
  };
}
