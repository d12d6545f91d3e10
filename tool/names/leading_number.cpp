#include "names/leading_number.hpp"

#include <charconv>

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

leading_number read_leading_number(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && is_blank(text[at])) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';

  const char* first = text.data() + at;
  const char* last = text.data() + text.size();
  std::uint64_t magnitude = 0;
  const auto [end, ec] = std::from_chars(first, last, magnitude);
  if (ec == std::errc::invalid_argument) return {};  // no digit

  leading_number n;
  n.length = static_cast<std::size_t>(end - text.data());
  constexpr auto most = static_cast<std::uint64_t>(INT64_MAX);
  if (ec == std::errc::result_out_of_range || magnitude > most + (negative ? 1 : 0)) {
    n.fits = false;
    n.value = negative ? INT64_MIN : INT64_MAX;
  } else {
    n.value =
        negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
  }
  return n;
}
