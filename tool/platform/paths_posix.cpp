#include "platform/paths.hpp"

std::filesystem::path to_path(const std::string& text) {
  return text;
}

std::string from_path(const std::filesystem::path& path) {
  return path.string();
}

const char* path_separators() {
  return "/";
}
