// What the memory system's files share: how a path is read.
#pragma once

#include <cerrno>
#include <string>
#include <string_view>

#include "system/memory_system.hpp"

// The full path of a path relative to the run's folder ("./a", "a", ".")
// or already full.
inline std::string full_path(const memory_system& fs, std::string_view path) {
  if (path == ".") return fs.root;
  if (path.starts_with("./")) return fs.root + std::string(path.substr(1));
  if (path.starts_with("/")) return std::string(path);
  return fs.root + "/" + std::string(path);
}

inline std::string folder_of(const std::string& full) {
  return full.substr(0, full.rfind('/'));
}

// The full path an entry leads to, links followed; empty when it leads
// nowhere.
inline std::string followed(const memory_system& fs, std::string full) {
  for (int hops = 0; hops < 40; ++hops) {
    const auto found = fs.entries.find(full);
    if (found == fs.entries.end()) return {};
    if (found->second->kind != kind_link) return full;
    const std::string& target = found->second->data;
    full = target.starts_with("/") ? target : folder_of(full) + "/" + target;
  }
  return {};
}

// EBADF for a file reached through a folder closed already, as through a
// closed descriptor; under the system's lock.
inline int through_closed_folder(const memory_system& fs, const file_ref& ref) {
  return ref.folder != nullptr && !fs.folders_open.contains(ref.folder) ? EBADF : 0;
}

// The error a test's fault gives a call on a path, or 0.
inline int fault_of(const memory_system& fs, const char* call, const std::string& path) {
  return fs.fault ? fs.fault(call, path) : 0;
}

// Adds the listing's calls to the record.
void add_listing_calls(memory_system& fs, system_calls& calls);

// Adds the calls on descriptors (the journal's) to the record.
void add_descriptor_calls(memory_system& fs, system_calls& calls);
