#include "decide/zone_rule.hpp"

#include "names/scan.hpp"

namespace {

// A zone name: three or more letters, or <...> with letters, digits and signs.
bool take_name(std::string_view& text) {
  std::size_t length = 0;
  if (!text.empty() && text.front() == '<') {
    const std::size_t close = text.find('>');
    if (close == std::string_view::npos || close < 4) return false;
    for (const char c : text.substr(1, close - 1)) {
      if (!is_letter(c) && !is_digit(c) && c != '+' && c != '-') return false;
    }
    length = close + 1;
  } else {
    while (length < text.size() && is_letter(text[length])) ++length;
    if (length < 3) return false;
  }
  text.remove_prefix(length);
  return true;
}

// [+-]hh[:mm[:ss]], the hours 0 to 24 and the rest 0 to 59.
bool take_offset(std::string_view& text) {
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  for (int part = 0; part < 3; ++part) {
    if (part > 0) {
      if (text.empty() || text.front() != ':') return true;
      text.remove_prefix(1);
    }
    int value = 0;
    std::size_t digits = 0;
    while (digits < text.size() && digits < 2 && is_digit(text[digits])) {
      value = value * 10 + (text[digits++] - '0');
    }
    if (digits == 0 || value > (part == 0 ? 24 : 59)) return false;
    text.remove_prefix(digits);
  }
  return true;
}

}  // namespace

bool is_posix_zone_rule(std::string_view text) {
  if (!take_name(text) || !take_offset(text)) return false;
  if (text.empty()) return true;
  if (!take_name(text)) return false;
  if (!text.empty() && text.front() != ',' && !take_offset(text)) return false;
  if (text.empty()) return true;
  // The rules of change: ",start[/time],end[/time]", checked for their characters only.
  if (text.front() != ',') return false;
  for (const char c : text) {
    if (!is_digit(c) && c != 'J' && c != 'M' && c != '.' && c != ',' && c != '/' && c != ':' &&
        c != '+' && c != '-') {
      return false;
    }
  }
  return true;
}
