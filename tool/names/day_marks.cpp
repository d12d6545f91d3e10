#include "names/day_marks.hpp"

#include "names/scan.hpp"

namespace {

struct script_mark {
  std::string_view text;
  day_half half;
};
constexpr script_mark script_marks[] = {{"上午", day_half::am}, {"下午", day_half::pm},
                                        {"午前", day_half::am}, {"午後", day_half::pm},
                                        {"오전", day_half::am}, {"오후", day_half::pm}};

// The blanks a name may hold before a mark: space, no-break space,
// narrow no-break space (recent macOS), thin space.
constexpr std::string_view blanks[] = {" ", "\xC2\xA0", "\xE2\x80\xAF", "\xE2\x80\x89"};

std::size_t blanks_at(std::string_view text, std::size_t at) {
  const std::size_t start = at;
  for (bool more = true; more;) {
    more = false;
    for (const std::string_view blank : blanks) {
      if (text.substr(at).starts_with(blank)) {
        at += blank.size();
        more = true;
      }
    }
  }
  return at - start;
}

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// 'am', 'PM', 'a.m.', 'P.M.' at text[at], with no letter after it.
day_half latin_mark(std::string_view text, std::size_t at, std::size_t& end) {
  if (at >= text.size()) return day_half::none;
  const char first = lower(text[at]);
  if (first != 'a' && first != 'p') return day_half::none;
  std::size_t next = at + 1;
  const bool dotted = next < text.size() && text[next] == '.';
  if (dotted) ++next;
  if (next >= text.size() || lower(text[next]) != 'm') return day_half::none;
  ++next;
  if (dotted) {
    if (next >= text.size() || text[next] != '.') return day_half::none;
    ++next;
  }
  if (next < text.size() && is_letter(text[next])) return day_half::none;
  end = next;
  return first == 'a' ? day_half::am : day_half::pm;
}

day_half script_mark_at(std::string_view text, std::size_t at, std::size_t& end) {
  for (const script_mark& mark : script_marks) {
    if (text.substr(at).starts_with(mark.text)) {
      end = at + mark.text.size();
      return mark.half;
    }
  }
  return day_half::none;
}

}  // namespace

day_half mark_after(std::string_view text, std::size_t at, std::size_t& end) {
  std::size_t from = at + blanks_at(text, at);
  if (from == at) {
    while (from < text.size() && text[from] == '_') ++from;
  }
  if (const day_half half = latin_mark(text, from, end); half != day_half::none) return half;
  if (const day_half half = script_mark_at(text, from, end); half != day_half::none) return half;
  // After another separator, a mark is there but not read.
  std::size_t other = at;
  while (other < text.size() && other < at + 3 && !is_letter(text[other]) &&
         !is_digit(text[other])) {
    ++other;
  }
  std::size_t ignored = 0;
  if (other != from && latin_mark(text, other, ignored) != day_half::none) {
    return day_half::unreadable;
  }
  return day_half::none;
}

day_half mark_before(std::string_view text, std::size_t& at) {
  std::size_t end = at;
  const day_half half = script_mark_at(text, at, end);
  if (half != day_half::none) at = end + blanks_at(text, end);
  return half;
}
