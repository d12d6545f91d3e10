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
  int still = 0;  // whose the names added now are
  std::string scratch{};

  void add(std::string_view before_number, std::string_view number, std::string_view title,
           std::size_t stem_length) {
    if (out.size() == count) out.emplace_back();
    sidecar_candidate& c = out[count];
    c.name.assign(before_number).append(number).append(".json");
    for (std::size_t i = 0; i < count; ++i) {
      if (out[i].name == c.name) return;  // a short name gives the same name twice
    }
    c.title.assign(title);
    c.stem_length = stem_length;
    c.still = still;
    ++count;
  }

  // The forms of the sidecar named after base (the upload's name, or its
  // stem), with the duplicate's number (or none) before ".json": the newer
  // form cut to 46 characters and uncut, and the older one cut.
  void add_forms(std::string_view base, std::string_view number, std::string_view title) {
    const std::size_t stem_length = base.size() < title.size() ? base.size() : 0;
    scratch.assign(base).append(newer_form);
    add(clip(scratch, sidecar_name_limit), number, title, stem_length);
    add(scratch, number, title, stem_length);
    add(clip(base, sidecar_name_limit), number, title, stem_length);
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

// A motion photo's video: '.MP' and '.MP~2' have no sidecar of their own
// (only), '.MP4' may.
bool is_video_of_motion(std::string_view extension, bool& only) {
  const std::string_view mp = extension.substr(0, 3);
  only = (mp == ".MP" || mp == ".mp") &&
         (extension.size() == 3 || (extension[3] == '~' && digit_run(extension, 4) > 0 &&
                                    digit_run(extension, 4) == extension.size() - 4));
  return only || extension == ".MP4" || extension == ".mp4";
}

// The extension in the other case: '.JPG' for '.jpg'; as it is when mixed.
std::string other_case(std::string_view extension) {
  std::string other(extension);
  bool lower = false;
  bool upper = false;
  for (char& c : other) {
    lower = lower || (c >= 'a' && c <= 'z');
    upper = upper || (c >= 'A' && c <= 'Z');
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
    else if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  return lower != upper ? other : std::string(extension);
}

}  // namespace

std::size_t sidecar_candidates(std::string_view media_name, std::vector<sidecar_candidate>& out) {
  std::size_t dot = media_name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) dot = media_name.size();
  const std::string_view extension = media_name.substr(dot);
  std::string_view stem = media_name.substr(0, dot);
  const edit_mark mark = find_edit_mark(stem, characters_in(media_name) >= cut_media_name);
  stem.remove_suffix(mark.length);
  std::string_view number;
  if (std::size_t open = 0; ends_with_number(stem, open)) {
    number = stem.substr(open);
    stem = stem.substr(0, open);
  }
  candidate_list list{out};
  // The name as it is: its own upload's, for a name whose number or
  // suffix was its own; first where a cut mark may be no mark at all.
  const bool own_too = mark.length > 0 || !number.empty();
  if (mark.cut) list.add_forms(media_name, {}, media_name);
  bool motion_only = false;
  const bool motion = is_video_of_motion(extension, motion_only);
  std::string upload(stem);
  upload.append(extension);
  if (!motion_only) list.add_forms(upload, number, upload);
  if (own_too && !motion_only) list.add_forms(media_name, {}, media_name);
  if (!number.empty() && !motion_only) {  // a duplicate's extension in the sidecar's case
    upload.assign(stem).append(other_case(extension));
    list.add_forms(upload, number, upload);
  }
  if (motion) {
    for (const std::string_view base : {stem, media_name}) {
      if (base == media_name && !motion_only) break;
      for (const std::string_view still : still_extensions) {
        ++list.still;
        upload.assign(base).append(still);
        list.add_forms(upload, number, upload);
      }
    }
    list.still = 0;
  }
  if (motion_only) list.add_forms(media_name, {}, media_name);
  // After the stem alone ('Balls.supplemental-metadata.json'), as newer
  // exports write them, and for uploads that had no extension.
  if (!extension.empty() && !stem.empty() && !motion_only) {
    upload.assign(stem).append(extension);
    list.add_forms(stem, number, upload);
  }
  return list.count;
}
