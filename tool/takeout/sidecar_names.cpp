#include "takeout/sidecar_names.hpp"

#include <algorithm>

#include "names/scan.hpp"

namespace {

// Takeout cuts a sidecar's name before ".json" to this many characters.
constexpr std::size_t name_limit = 46;
// Media names Takeout cut short are at least this long.
constexpr std::size_t cut_media_name = 40;

constexpr std::string_view newer_form = ".supplemental-metadata";

// The suffixes of edited copies, in the languages Google writes them.
constexpr std::string_view edit_marks[] = {"-edited",  "-bearbeitet", "-modifié",
                                           "-editado", "-modificato", "-bewerkt"};

// The stills a motion photo's video may belong to.
constexpr std::string_view still_extensions[] = {".jpg",  ".JPG",  ".jpeg",
                                                 ".JPEG", ".heic", ".HEIC"};

bool starts_character(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) != 0x80;  // not a UTF-8 continuation
}

// The first limit characters of text, never splitting a UTF-8 sequence.
std::string_view clip(std::string_view text, std::size_t limit) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (starts_character(text[i]) && characters++ == limit) return text.substr(0, i);
  }
  return text;
}

std::size_t characters_in(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), starts_character));
}

struct candidate_list {
  std::vector<sidecar_candidate>& out;
  std::size_t count = 0;

  void add(std::string_view clipped, std::string_view number, std::string_view title) {
    if (out.size() == count) out.emplace_back();
    sidecar_candidate& c = out[count];
    c.name.assign(clipped).append(number).append(".json");
    for (std::size_t i = 0; i < count; ++i) {
      if (out[i].name == c.name) return;  // a short name gives the same name twice
    }
    c.title.assign(title);
    ++count;
  }

  // Both forms of the sidecar of the upload called title, with the
  // duplicate's number (or none) before ".json".
  void add_forms(std::string_view title, std::string_view number, std::string& scratch) {
    scratch.assign(title).append(newer_form);
    add(clip(scratch, name_limit), number, title);
    add(clip(title, name_limit), number, title);
  }
};

bool ends_with_number(std::string_view stem, std::size_t& open) {
  if (stem.size() < 3 || stem.back() != ')') return false;
  std::size_t at = stem.size() - 1;
  while (at > 0 && is_digit(stem[at - 1])) --at;
  if (at == stem.size() - 1 || at == 0 || stem[at - 1] != '(') return false;
  open = at - 1;
  return true;
}

bool is_video_of_motion(std::string_view extension, bool& only) {
  only = extension == ".MP" || extension == ".mp";
  return only || extension == ".MP4" || extension == ".mp4";
}

}  // namespace

std::size_t sidecar_candidates(std::string_view media_name, std::vector<sidecar_candidate>& out) {
  std::size_t dot = media_name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) dot = media_name.size();
  const std::string_view extension = media_name.substr(dot);
  std::string_view stem = media_name.substr(0, dot);
  bool edited = false;
  for (const std::string_view mark : edit_marks) {
    if (stem.size() > mark.size() && stem.ends_with(mark)) {
      stem.remove_suffix(mark.size());
      edited = true;
      break;
    }
  }
  std::string_view number;
  if (std::size_t open = 0; ends_with_number(stem, open)) {
    number = stem.substr(open);
    stem = stem.substr(0, open);
  }
  candidate_list list{out};
  std::string scratch;
  std::string upload(stem);
  upload.append(extension);
  bool motion_only = false;
  const bool motion = is_video_of_motion(extension, motion_only);
  if (!motion_only) list.add_forms(upload, number, scratch);
  if (motion) {
    for (const std::string_view still : still_extensions) {
      upload.assign(stem).append(still);
      list.add_forms(upload, number, scratch);
    }
  }
  // The name as it is: its own upload's, for a name whose number or
  // suffix was its own.
  if (edited || !number.empty() || motion_only) list.add_forms(media_name, {}, scratch);
  return list.count;
}

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
