#include <algorithm>

#include "names/clock_parts.hpp"
#include "names/date_pattern_places.hpp"
#include "names/scan.hpp"

text_marks marks_of(std::string_view text) {
  text_marks marks;
  marks.text = text;
  for (std::size_t k = 0; k < text.size(); ++k) {
    const std::size_t run = digit_run(text, k);
    for (std::size_t n = 1; n <= std::min<std::size_t>(run, 9); ++n) marks.runs[n][k] = true;
  }
  return marks;
}

namespace {

const places& byte_places(text_marks& marks, char c) {
  std::uint16_t& index = marks.byte_index[static_cast<unsigned char>(c)];
  if (index == 0) {
    places found;
    for (std::size_t k = 0; k < marks.text.size(); ++k) found[k] = marks.text[k] == c;
    marks.bytes.push_back(found);
    index = static_cast<std::uint16_t>(marks.bytes.size());
  }
  return marks.bytes[index - 1u];
}

places am_pm_places(const std::string_view text) {
  places found;
  for (std::size_t k = 0; k + 1 < text.size(); ++k) {
    const char c = text[k];
    found[k] = (c == 'A' || c == 'a' || c == 'P' || c == 'p') &&
               (text[k + 1] == 'M' || text[k + 1] == 'm');
  }
  return found;
}

}  // namespace

places matches_from(text_marks& marks, const pattern_item& item, const places& rest) {
  const std::string_view text = marks.text;
  switch (item.part) {
    case pattern_part::any: {
      // Every place at or before the last one the rest matches from.
      places before;
      for (std::size_t k = text.size() + 1; k-- > 0;) {
        if (rest[k]) {
          before.set();
          return before >> (most_places - 1 - k);
        }
      }
      return before;
    }
    case pattern_part::literal:
      return byte_places(marks, item.literal) & (rest >> 1);
    case pattern_part::year:
      return marks.runs[4] & (rest >> 4);
    case pattern_part::year_2:  // always two digits, as its reader takes
      return marks.runs[2] & (rest >> 2);
    case pattern_part::fraction: {
      places found;
      for (std::size_t n = 1; n <= 9; ++n) found |= marks.runs[n] & (rest >> n);
      return found;
    }
    case pattern_part::am_pm:
      return am_pm_places(text) & (rest >> 2);
    case pattern_part::offset: {
      places found;
      for (std::size_t k = 0; k < text.size(); ++k) {
        std::size_t end = k;
        found[k] = read_utc_offset(text, end) && rest[end];
      }
      return found;
    }
    default: {  // the two-digit fields: or one digit where no digit follows it
      const places one = marks.runs[1] & ~marks.runs[2];
      return (marks.runs[2] & (rest >> 2)) | (one & (rest >> 1));
    }
  }
}
