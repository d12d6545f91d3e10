// Which JSON file Google Takeout wrote beside a photo or video: the names
// its sidecar may have, from the media file's name alone.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct sidecar_candidate {
  std::string name;   // the sidecar's name, in the media file's folder
  std::string title;  // the name of the upload it describes, as its "title" gives it
};

// Fills out (reusing its strings, so that a walk allocates nothing) with
// the names the sidecar of media_name may have, most likely first, and
// returns how many. The quirks it knows:
//   IMG_1.jpg          IMG_1.jpg.supplemental-metadata.json, IMG_1.jpg.json
//   (long names)       the part before ".json" cut to 46 characters
//   IMG_1(2).jpg       IMG_1.jpg.supplemental-metadata(2).json, IMG_1.jpg(2).json
//   IMG_1-edited.jpg   the original's (also -bearbeitet, -modifié, ...)
//   PXL_1.MP, VID.MP4  the still's of the same stem (.jpg, .heic ...)
std::size_t sidecar_candidates(std::string_view media_name, std::vector<sidecar_candidate>& out);
