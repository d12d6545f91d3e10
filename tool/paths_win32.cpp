#include "tool/paths.hpp"
#include "tool/utf16_win32.hpp"

std::filesystem::path to_path(const std::string& text) {
  return widen(text);
}

std::string from_path(const std::filesystem::path& path) {
  return narrow(path.native());
}
