#include "journal/undo_reach.hpp"

#include <cerrno>
#include <cstring>

namespace {

// A folder below the open one, by its name, never through a link.
int step_into(undo_reach& reach, std::string_view name, const std::string& path) {
  dir_entry entry{};
  if (name.size() >= sizeof entry.name) return ENAMETOOLONG;
  std::memcpy(entry.name, name.data(), name.size());
  entry.name_length = static_cast<int>(name.size());
  entry.kind = kind_directory;
  folder_handle* below = reach.system.open_subfolder(reach.folder, entry, path.c_str());
  if (below == nullptr) return errno;
  reach.system.close_folder(reach.folder);
  reach.folder = below;
  return 0;
}

}  // namespace

int reach_folder(undo_reach& reach, const std::string& root, std::string_view path) {
  const std::string_view folders = path.substr(1, path.rfind('/') - 1);  // "./a/b/c" -> "/a/b"
  std::string wanted = root;
  wanted.append(folders);
  if (reach.folder != nullptr && reach.at == wanted) return 0;
  let_go(reach);
  reach.folder = reach.system.open_folder(root.c_str());
  if (reach.folder == nullptr) return errno;
  std::string at = root;
  for (std::size_t start = 1; start < folders.size();) {
    const std::size_t end = std::min(folders.find('/', start), folders.size());
    const std::string_view name = folders.substr(start, end - start);
    at.append("/").append(name);
    if (const int error = step_into(reach, name, at)) {
      let_go(reach);
      return error;
    }
    start = end + 1;
  }
  reach.at = std::move(wanted);
  return 0;
}

void let_go(undo_reach& reach) {
  if (reach.folder != nullptr) reach.system.close_folder(reach.folder);
  reach.folder = nullptr;
  reach.at.clear();
}
