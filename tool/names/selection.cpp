#include "names/selection.hpp"

#include "names/characters.hpp"

bool is_skipped_name(std::string_view name) {
  return name == "." || name == ".." || name == "Velmora.exe";
}

std::optional<name_parts> split_name(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return std::nullopt;
  return name_parts{name.substr(0, dot), name.substr(dot + 1)};
}

bool extension_selected(const std::vector<std::string>& words, bool shift_given,
                        std::string_view extension) {
  return selecting_word(words, shift_given, extension) != std::string_view::npos;
}

std::size_t selecting_word(const std::vector<std::string>& words, bool shift_given,
                           std::string_view extension) {
  if (words.empty() || (words.size() == 1 && shift_given)) return words.size();
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i] == extension) return i;
  }
  return std::string_view::npos;
}

std::optional<std::string_view> cut_date_text(std::string_view stem, std::int64_t front_cut,
                                              std::int64_t back_cut) {
  if (front_cut == 0 && back_cut <= 0) return stem;  // no cut: the plain run counts nothing
  // The cuts are within int's range (the argument reader sees to it), so
  // none of this overflows.
  const auto size = static_cast<std::int64_t>(count_characters(stem));
  if (front_cut < 0 || front_cut > size) return std::nullopt;
  const std::int64_t length = size - back_cut - front_cut;
  const std::string_view rest =
      stem.substr(character_offset(stem, static_cast<std::size_t>(front_cut)));
  if (length < 0 || length > size - front_cut) return rest;
  return rest.substr(0, character_offset(rest, static_cast<std::size_t>(length)));
}
