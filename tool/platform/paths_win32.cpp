#include "listing/utf16_win32.hpp"
#include "platform/paths.hpp"

std::filesystem::path to_path(const std::string& text) {
  return widen(text);
}

std::string from_path(const std::filesystem::path& path) {
  return narrow(path.native());
}

const char* path_separators() {
  return "/\\";
}
