#include "takeout/sidecar_titles.hpp"

#include <algorithm>

#include "takeout/name_length.hpp"

bool title_names(std::string_view title, std::string_view expected) {
  if (title == expected) return true;
  const std::size_t dot = expected.rfind('.');
  if (dot == std::string_view::npos || characters_in(expected) < cut_media_name) return false;
  const std::string_view extension = expected.substr(dot);
  const std::string_view stem = expected.substr(0, dot);
  return title.size() > expected.size() && title.starts_with(stem) && title.ends_with(extension);
}

bool is_takeout_json(std::string_view extension) {
  return extension.size() == 4 && std::equal(extension.begin(), extension.end(), "json",
                                             [](char a, char b) { return (a | 0x20) == b; });
}
