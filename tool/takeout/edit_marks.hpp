// The suffixes Google gives edited copies, in the languages it writes
// them: an edited copy has no sidecar of its own, and takes the original's.
#pragma once

#include <cstddef>
#include <string_view>

// The length of the edit mark that ends stem ("IMG_1-edited": 7), or 0.
// A stem that is all mark has none.
std::size_t edit_mark_length(std::string_view stem);
