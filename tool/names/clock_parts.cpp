#include "names/clock_parts.hpp"

#include "names/scan.hpp"

std::optional<utc_offset_text> read_utc_offset(std::string_view text, std::size_t& at,
                                               bool hours_alone) {
  if (at < text.size() && text[at] == 'Z' && !(at + 1 < text.size() && is_letter(text[at + 1]))) {
    ++at;
    return utc_offset_text{};
  }
  if (at >= text.size() || (text[at] != '+' && text[at] != '-')) return std::nullopt;
  std::size_t end = at + 1;
  if (digit_run(text, end) < 2) return std::nullopt;
  const int hours = number_at(text, end, 2);
  end += 2;
  const int sign = text[at] == '-' ? -1 : 1;
  const bool colon = end < text.size() && text[end] == ':';
  if (hours_alone && !colon && !digit_at(text, end)) {
    at = end;
    return utc_offset_text{std::chrono::minutes{sign * hours * 60}, hours <= 23};
  }
  if (colon) ++end;
  if (digit_run(text, end) < 2) return std::nullopt;
  const int minutes = number_at(text, end, 2);
  at = end + 2;
  return utc_offset_text{std::chrono::minutes{sign * (hours * 60 + minutes)},
                         hours <= 23 && minutes <= 59};
}

bool from_12_hour(calendar_time& time, bool pm) {
  if (time.hour < 1 || time.hour > 12) return false;
  time.hour = time.hour % 12 + (pm ? 12 : 0);
  return true;
}
