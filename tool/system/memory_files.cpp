// Making a file system in memory: its folders, files and links.
#include "system/memory_paths.hpp"
#include "system/memory_system.hpp"

void add_folder(memory_system& fs, const std::string& path) {
  const std::string full = full_path(fs, path);
  if (full != fs.root && full.find('/', 1) != std::string::npos) add_folder(fs, folder_of(full));
  auto& entry = fs.entries[full];
  if (entry == nullptr) {
    entry = std::make_shared<memory_file>(memory_file{kind_directory, {}, "", fs.next_number++});
  }
}

memory_file& add_file(memory_system& fs, const std::string& path, const file_time& mtime,
                      const std::string& data) {
  const std::string full = full_path(fs, path);
  add_folder(fs, folder_of(full));
  auto& file = fs.entries[full];
  file = std::make_shared<memory_file>(memory_file{kind_regular, mtime, data, fs.next_number++});
  return *file;
}

void add_link(memory_system& fs, const std::string& path, const std::string& target,
              unsigned owner) {
  const std::string full = full_path(fs, path);
  add_folder(fs, folder_of(full));
  fs.entries[full] =
      std::make_shared<memory_file>(memory_file{kind_link, {}, target, fs.next_number++, owner});
}

void add_hard_link(memory_system& fs, const std::string& path, const std::string& existing) {
  fs.entries[full_path(fs, path)] = fs.entries.at(full_path(fs, existing));
}

std::shared_ptr<memory_file> file_at(memory_system& fs, const std::string& path) {
  const std::string full = followed(fs, full_path(fs, path));
  return full.empty() ? nullptr : fs.entries.at(full);
}
