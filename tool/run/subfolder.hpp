// Reaching a subfolder as the walk goes into it: which file system it is
// on (its device), and its listing.
#pragma once

#include <optional>
#include <vector>

#include "system/system.hpp"

// A subfolder opened: its listing, or null with the error; its device,
// where a look found it; and its first entries where a lister read them.
struct opened_folder {
  folder_handle* folder = nullptr;
  int error = 0;
  std::optional<unsigned long long> device;
  std::vector<dir_entry> first;
};

// The device of the folder at path, by a look; nullopt where none is had.
std::optional<unsigned long long> device_at(const system_calls& system, const folder_handle* parent,
                                            const char* name, const char* path);

// Opens a subfolder of parent, looked at first: as the walk opens one.
opened_folder open_subfolder_at(const system_calls& system, const folder_handle* parent,
                                const dir_entry& entry, const char* path);
