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
  // A sidecar named after the stem alone: the upload may have had no
  // extension, so a title of the first stem_length bytes names it too.
  // 0 for the other names.
  std::size_t stem_length = 0;
  // Whose sidecar it is: 0 the file's own (or its original's, for an
  // edited copy); 1, 2, ... each still that a motion photo's video may
  // belong to, which may disagree.
  int still = 0;
};

// Fills out (reusing its strings, so that a walk allocates little) with
// the names the sidecar of media_name may have, most likely first, and
// returns how many. media_name is in Unicode's composed form. The quirks
// it knows:
//   IMG_1.jpg          IMG_1.jpg.supplemental-metadata.json, IMG_1.jpg.json
//   (long names)       the part before ".json" cut to 46 characters, and the
//                      newer form uncut too
//   IMG_1(2).jpg       IMG_1.jpg.supplemental-metadata(2).json, IMG_1.jpg(2).json,
//                      IMG_1.JPG(2).json, and IMG_1(2).jpg's own
//   IMG_1-edited.jpg   the original's (in Google's languages; a mark cut short too)
//   PXL_1.MP, VID.MP4  the stills' of the same stem (.jpg, .heic ...), and
//                      PXL_1.MP.jpg's
//   Balls.jpg          Balls.supplemental-metadata.json, Balls.json (after the stem)
std::size_t sidecar_candidates(std::string_view media_name, std::vector<sidecar_candidate>& out);
