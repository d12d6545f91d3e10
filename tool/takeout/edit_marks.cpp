#include "takeout/edit_marks.hpp"

#include "takeout/name_length.hpp"

namespace {

// Every mark seen in exports, one language after another.
constexpr std::string_view edit_marks[] = {
    "-edited",                                            // English
    "-bearbeitet",                                        // German
    "-modifié",                                           // French
    "-editado",                                           // Portuguese, Spanish
    "-editada",                                           // Spanish
    "-ha editado",                                        // Spanish
    "-editat",                                            // Catalan
    "-modificato",                                        // Italian
    "-bewerkt",                                           // Dutch
    "-edytowane",                                         // Polish
    "-\u7de8\u96c6\u6e08\u307f",                          // Japanese: 編集済み
    "-\u7f16\u8f91",                                      // Chinese: 编辑
    "-\u0438\u0437\u043c\u0435\u043d\u0435\u043d\u043e",  // Russian: изменено
    "-\ud3b8\uc9d1\ub428",                                // Korean: 편집됨
    "-\uc218\uc815\ub428",                                // Korean: 수정됨
};

// The shortest start of a mark that is taken for one.
constexpr std::size_t shortest_cut = 4;

}  // namespace

std::span<const std::string_view> all_edit_marks() {
  return edit_marks;
}

edit_mark find_edit_mark(std::string_view stem, bool name_cut) {
  for (const std::string_view mark : edit_marks) {
    if (stem.size() > mark.size() && stem.ends_with(mark)) return {mark.size(), false};
  }
  if (!name_cut) return {};
  for (const std::string_view mark : edit_marks) {
    for (std::size_t length = mark.size() - 1; length >= shortest_cut; --length) {
      if (!starts_character(mark[length])) continue;  // cut by characters, never inside one
      if (stem.size() > length && stem.ends_with(mark.substr(0, length))) return {length, true};
    }
  }
  return {};
}
