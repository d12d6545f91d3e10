// Whether a sidecar belongs to a file: its title, and the files that are
// Takeout's own.
#pragma once

#include <string_view>

// Whether a sidecar's title names the media file it was found for: the
// same name, or, for a name Takeout cut short, one that begins with it.
bool title_names(std::string_view title, std::string_view expected);

// Whether a file of this extension ("json", any case) is Takeout's own:
// a sidecar, or an album's metadata.json. Never a photo.
bool is_takeout_json(std::string_view extension);
