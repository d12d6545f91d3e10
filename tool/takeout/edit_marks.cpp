#include "takeout/edit_marks.hpp"

namespace {

constexpr std::string_view edit_marks[] = {"-edited",  "-bearbeitet", "-modifié",
                                           "-editado", "-modificato", "-bewerkt"};

}  // namespace

std::size_t edit_mark_length(std::string_view stem) {
  for (const std::string_view mark : edit_marks) {
    if (stem.size() > mark.size() && stem.ends_with(mark)) return mark.size();
  }
  return 0;
}
