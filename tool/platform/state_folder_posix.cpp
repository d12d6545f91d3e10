#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/state_folder.hpp"

namespace {

// Makes each folder of path that is not there yet.
int make_folders(const std::string& path) {
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string folder = path.substr(0, slash);
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return errno;
    if (slash == std::string::npos) return 0;
  }
}

}  // namespace

std::optional<std::string> default_journal(std::string& problem) {
  const char* state = std::getenv("XDG_STATE_HOME");
  const char* home = std::getenv("HOME");
  std::string folder;
  if (state != nullptr && state[0] == '/') {
    folder = std::string(state) + "/velmora";
  } else if (home != nullptr && home[0] == '/') {
    folder = std::string(home) + "/.local/state/velmora";
  } else {
    problem = "no home folder to keep it in (HOME is not set)";
    return std::nullopt;
  }
  if (const int error = make_folders(folder)) {
    problem = "cannot make its folder '" + folder + "': " + std::strerror(error);
    return std::nullopt;
  }
  return folder + "/journal";
}
