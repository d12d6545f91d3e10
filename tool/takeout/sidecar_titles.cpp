#include "takeout/sidecar_titles.hpp"

#include <algorithm>

#include "takeout/name_length.hpp"
#include "takeout/normal_form.hpp"

namespace {

bool no_file_holds(char c) {
  return std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos;
}

// title as the file's name: the same, or with '_' where a file cannot hold
// the title's character.
bool same_as_written(std::string_view title, std::string_view name) {
  return std::equal(title.begin(), title.end(), name.begin(), name.end(),
                    [](char t, char n) { return t == n || (n == '_' && no_file_holds(t)); });
}

// A name Takeout cut short is named by a longer title that begins with its
// stem and ends with its extension.
bool cut_short_from(std::string_view title, std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || characters_in(name) < cut_media_name) return false;
  return title.size() > name.size() && same_as_written(title.substr(0, dot), name.substr(0, dot)) &&
         title.ends_with(name.substr(dot));
}

}  // namespace

bool title_names(std::string_view title, const sidecar_candidate& candidate) {
  std::string composed_title;
  if (!all_ascii(title)) {
    composed_title = composed(title);
    title = composed_title;
  }
  const std::string_view name = candidate.title;
  if (same_as_written(title, name) || cut_short_from(title, name)) return true;
  return candidate.stem_length > 0 && same_as_written(title, name.substr(0, candidate.stem_length));
}

bool is_takeout_json(std::string_view extension) {
  return extension.size() == 4 && std::equal(extension.begin(), extension.end(), "json",
                                             [](char a, char b) { return (a | 0x20) == b; });
}
