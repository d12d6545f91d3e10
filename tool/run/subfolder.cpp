#include "run/subfolder.hpp"

#include <cerrno>

std::optional<unsigned long long> device_at(const system_calls& system, const folder_handle* parent,
                                            const char* name, const char* path) {
  file_facts facts;
  const file_ref folder{parent, name, kind_directory, path};
  if (system.look(folder, facts) != 0 || facts.kind != kind_directory) return std::nullopt;
  return facts.device;
}

opened_folder open_subfolder_at(const system_calls& system, const folder_handle* parent,
                                const dir_entry& entry, const char* path) {
  opened_folder opened;
  opened.device = device_at(system, parent, entry.name, path);
  opened.folder = system.open_subfolder(parent, entry, path);
  if (opened.folder == nullptr) opened.error = errno;
  return opened;
}
