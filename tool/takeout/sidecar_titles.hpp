// Whether a sidecar belongs to a file: its title, and the files that are
// Takeout's own.
#pragma once

#include <string_view>

#include "takeout/sidecar_names.hpp"

// Whether a sidecar's title names the upload the candidate was made for:
// the same name in Unicode's composed form, with the characters that no
// file name holds ('/', '\', ':', '*', '?', '"', '<', '>', '|') taken for
// the '_' Takeout wrote in their place; the stem alone, for a sidecar
// named after it; or, for a name Takeout cut short, a longer one that
// begins with it.
bool title_names(std::string_view title, const sidecar_candidate& candidate);

// Whether a file of this extension ("json", any case) is Takeout's own:
// a sidecar, or an album's metadata.json. Never a photo.
bool is_takeout_json(std::string_view extension);
