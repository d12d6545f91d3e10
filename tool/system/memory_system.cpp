#include "system/memory_system.hpp"

#include "system/memory_paths.hpp"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

using lock_guard = std::lock_guard<std::mutex>;

// The file a path leads to, or the error of getting there.
int reach(memory_system& fs, const char* call, const char* path, memory_file*& file) {
  const std::string full = full_path(fs, path);
  if (const int error = fault_of(fs, call, full)) return error;
  const std::string target = followed(fs, full);
  if (target.empty()) return ENOENT;
  file = fs.entries.at(target).get();
  return file->kind == kind_directory ? EISDIR : 0;
}

void log(memory_system& fs, const char* call, const char* path) {
  if (fs.log_calls) fs.calls.push_back(std::string(call) + " " + path);
}

int read_beside(memory_system& fs, const file_ref& file, const std::string& name,
                beside_reader& reader, std::size_t& length) {
  const lock_guard hold(fs.lock);
  const std::string path = folder_of(full_path(fs, file.path)) + "/" + name;
  memory_file* beside = nullptr;
  if (const int error = reach(fs, "beside", path.c_str(), beside)) return error;
  if (beside->kind != kind_regular) return ENODEV;
  if (beside->data.size() > beside_limit) return EFBIG;
  reader.buffer.assign(beside->data.begin(), beside->data.end());
  length = beside->data.size();
  return 0;
}

}  // namespace

void add_folder(memory_system& fs, const std::string& path) {
  const std::string full = full_path(fs, path);
  if (full != fs.root && full.find('/', 1) != std::string::npos) add_folder(fs, folder_of(full));
  auto& entry = fs.entries[full];
  if (entry == nullptr) {
    entry = std::make_shared<memory_file>(memory_file{kind_directory, {}, "", fs.next_number++});
  }
}

void add_file(memory_system& fs, const std::string& path, const file_time& mtime,
              const std::string& data) {
  const std::string full = full_path(fs, path);
  add_folder(fs, folder_of(full));
  fs.entries[full] =
      std::make_shared<memory_file>(memory_file{kind_regular, mtime, data, fs.next_number++});
}

void add_link(memory_system& fs, const std::string& path, const std::string& target) {
  const std::string full = full_path(fs, path);
  add_folder(fs, folder_of(full));
  fs.entries[full] =
      std::make_shared<memory_file>(memory_file{kind_link, {}, target, fs.next_number++});
}

void add_hard_link(memory_system& fs, const std::string& path, const std::string& existing) {
  fs.entries[full_path(fs, path)] = fs.entries.at(full_path(fs, existing));
}

std::shared_ptr<memory_file> file_at(memory_system& fs, const std::string& path) {
  const std::string full = followed(fs, full_path(fs, path));
  return full.empty() ? nullptr : fs.entries.at(full);
}

system_calls calls_of(memory_system& fs) {
  system_calls c;
  add_listing_calls(fs, c);
  c.check = [&fs](const file_ref& file) {
    const lock_guard hold(fs.lock);
    memory_file* found = nullptr;
    return reach(fs, "check", file.path, found);
  };
  c.read_time = [&fs](const file_ref& file, file_time& time) {
    const lock_guard hold(fs.lock);
    log(fs, "read", file.path);
    memory_file* found = nullptr;
    if (const int error = reach(fs, "read", file.path, found)) return error;
    time = found->mtime;
    return 0;
  };
  c.write_time = [&fs](const file_ref& file, const file_time& time) {
    if (fs.slow_writes) {
      const std::size_t spread = std::hash<std::string_view>{}(file.path) % 5;
      std::this_thread::sleep_for(std::chrono::microseconds{20 * spread});
    }
    const lock_guard hold(fs.lock);
    log(fs, "write", file.path);
    memory_file* found = nullptr;
    if (const int error = reach(fs, "write", file.path, found)) return error;
    found->mtime = fs.keeps ? fs.keeps(time, found->mtime) : time;
    return 0;
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
  c.folder_error = EISDIR;
  return c;
}
