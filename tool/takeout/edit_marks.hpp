// The suffixes Google gives edited copies, in the languages it writes
// them: an edited copy has no sidecar of its own, and takes the original's.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

struct edit_mark {
  std::size_t length = 0;  // of the mark that ends the stem; 0 for none
  bool cut = false;        // only the start of a mark: Takeout cut the name short there
};

// The edit mark that ends stem ("IMG_1-edited": 7). In a name that
// Takeout may have cut short (name_cut), the start of a mark counts too,
// from four bytes on ("…-ha editad", "-edi"). A stem that is all mark has
// none.
edit_mark find_edit_mark(std::string_view stem, bool name_cut);

// Every mark, for the README's list.
std::span<const std::string_view> all_edit_marks();
