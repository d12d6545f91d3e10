#include "takeout/sidecar_names.hpp"

#include "names/scan.hpp"
#include "takeout/edit_marks.hpp"
#include "takeout/name_length.hpp"

namespace {

constexpr std::string_view newer_form = ".supplemental-metadata";

// The stills a motion photo's video may belong to.
constexpr std::string_view still_extensions[] = {".jpg",  ".JPG",  ".jpeg",
                                                 ".JPEG", ".heic", ".HEIC"};

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
    add(clip(scratch, sidecar_name_limit), number, title);
    add(clip(title, sidecar_name_limit), number, title);
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
  const std::size_t mark = edit_mark_length(stem);
  const bool edited = mark > 0;
  stem.remove_suffix(mark);
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
