#include "system/memory_system.hpp"

#include "system/memory_paths.hpp"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

using lock_guard = std::lock_guard<std::mutex>;

// The file a path leads to, or the error of getting there.
// The entry a file_ref reaches: followed only when it was listed as a link.
int reach(memory_system& fs, const char* call, const file_ref& ref, memory_file*& file) {
  if (const int error = through_closed_folder(fs, ref)) return error;
  const std::string full = full_path(fs, ref.path);
  if (const int error = fault_of(fs, call, full)) return error;
  const std::string target = ref.kind == kind_link ? followed(fs, full) : full;
  const auto found = fs.entries.find(target);
  if (target.empty() || found == fs.entries.end()) return ENOENT;
  file = found->second.get();
  return file->kind == kind_directory ? EISDIR : 0;
}

int look(memory_system& fs, const file_ref& ref, file_facts& facts) {
  if (const int error = through_closed_folder(fs, ref)) return error;
  const std::string full = full_path(fs, ref.path);
  if (const int error = fault_of(fs, "look", full)) return error;
  const auto found = fs.entries.find(full);
  if (found == fs.entries.end()) return ENOENT;
  const memory_file& entry = *found->second;
  facts = {entry.kind, entry.number, entry.owner, entry.mtime};
  facts.file = entry.number;
  facts.names = static_cast<unsigned>(found->second.use_count());  // its names, and no more
  if (entry.kind != kind_link) return 0;
  const std::string target = followed(fs, full);
  if (target.empty()) {
    facts.target_error = ENOENT;
    return 0;
  }
  const memory_file& led_to = *fs.entries.at(target);
  facts.target_kind = led_to.kind;
  facts.target_owner = led_to.owner;
  facts.mtime = led_to.mtime;
  facts.file = led_to.number;
  facts.names = static_cast<unsigned>(fs.entries.at(target).use_count());
  return 0;
}

void log(memory_system& fs, const char* call, const char* path) {
  if (fs.log_calls) fs.calls.push_back(std::string(call) + " " + path);
}

int read_beside(memory_system& fs, const file_ref& file, const std::string& name,
                beside_reader& reader, std::size_t& length) {
  const lock_guard hold(fs.lock);
  if (const int error = through_closed_folder(fs, file)) return error;
  const std::string path = folder_of(full_path(fs, file.path)) + "/" + name;
  memory_file* beside = nullptr;
  if (const int error = reach(fs, "beside", {nullptr, nullptr, kind_link, path.c_str()}, beside)) {
    return error;
  }
  if (beside->kind != kind_regular) return ENODEV;
  if (beside->data.size() > beside_limit) return EFBIG;
  reader.buffer.assign(beside->data.begin(), beside->data.end());
  length = beside->data.size();
  return 0;
}

}  // namespace

system_calls calls_of(memory_system& fs) {
  system_calls c;
  add_listing_calls(fs, c);
  c.check = [&fs](const file_ref& file) {
    const lock_guard hold(fs.lock);
    memory_file* found = nullptr;
    return reach(fs, "check", file, found);
  };
  c.read_time = [&fs](const file_ref& file, file_time& time) {
    const lock_guard hold(fs.lock);
    log(fs, "read", file.path);
    memory_file* found = nullptr;
    if (const int error = reach(fs, "read", file, found)) return error;
    time = found->mtime;
    return 0;
  };
  c.write_time = [&fs](const file_ref& file, const file_time& time) {
    if (fs.slow_writes) {
      const std::size_t spread = std::hash<std::string_view>{}(file.path) % 5;
      // Waited out, not slept: a sleep this short returns at once on some
      // systems (Windows), and the run would take the writes for quick.
      const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds{20 * spread};
      while (std::chrono::steady_clock::now() < until) std::this_thread::yield();
    }
    const lock_guard hold(fs.lock);
    log(fs, "write", file.path);
    memory_file* found = nullptr;
    if (const int error = reach(fs, "write", file, found)) return error;
    found->mtime = fs.keeps ? fs.keeps(time, found->mtime) : time;
    return fault_of(fs, "wrote", full_path(fs, file.path));  // made, and then failed
  };
  c.look = [&fs](const file_ref& file, file_facts& facts) {
    const lock_guard hold(fs.lock);
    log(fs, "look", file.path);
    return look(fs, file, facts);
  };
  c.read_created = [](const file_ref&, file_time&) { return ENOTSUP; };
  c.write_created = [](const file_ref&, const file_time&) { return ENOTSUP; };
  c.precision = [](const file_time& t) { return t; };
  c.read_beside = [&fs](const file_ref& file, const std::string& name, beside_reader& reader,
                        std::size_t& length) {
    return read_beside(fs, file, name, reader, length);
  };
  c.missing = [](int error) {
    return error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG;
  };
  c.done_beside = [](beside_reader&) {};
  add_descriptor_calls(fs, c);
  c.error_text = [](int error) { return std::string(std::strerror(error)); };
  c.interrupted = [&fs] {
    const lock_guard hold(fs.lock);
    if (fs.interrupt_after < 0) return false;
    if (fs.interrupt_after == 0) return true;
    --fs.interrupt_after;
    return false;
  };
  c.folder_error = EISDIR;
  c.read_only_error = EROFS;
  c.not_regular_error = ENODEV;
  c.runner = fs.runner;
  return c;
}
