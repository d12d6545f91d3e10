#include "cli/words.hpp"

#include <climits>

#include "names/leading_number.hpp"
#include "names/quoting.hpp"
#include "names/scan.hpp"

namespace {

// A whole number: an optional sign and digits, and nothing else. A number
// beyond 64 bits reads as nullopt, like any other word that is no number.
std::optional<std::int64_t> whole_number(std::string_view text, bool& too_large) {
  too_large = false;
  if (text.empty() || is_blank(text.front())) return std::nullopt;
  const leading_number n = read_leading_number(text);
  if (n.length != text.size()) return std::nullopt;
  too_large = !n.fits;
  return n.fits ? std::optional<std::int64_t>(n.value) : std::nullopt;
}

std::optional<std::string> read_shift(std::string_view word, typed_options& o) {
  bool too_large = false;
  const std::optional<std::int64_t> hours = whole_number(word, too_large);
  if (!hours && !too_large) {
    return in_quotes(word) + " is not a whole number of hours, such as +3 or -2";
  }
  if (!hours || *hours < -max_shift_hours || *hours > max_shift_hours) {
    return "hour shift " + in_quotes(word) + " is out of range (at most " +
           std::to_string(max_shift_hours) + " hours either way)";
  }
  o.shift_given = true;
  o.shift = std::chrono::hours{*hours};
  return std::nullopt;
}

// A cut is held to int's range so that cut arithmetic never overflows.
std::optional<std::string> read_cut(std::string_view word, std::string_view which,
                                    std::int64_t& cut) {
  bool too_large = false;
  const std::optional<std::int64_t> n = whole_number(word.substr(1), too_large);
  const std::string what = std::string(which) + " cut " + in_quotes(word);
  if (!n && !too_large) return what + " is not a whole number of characters";
  if (!n || *n < INT_MIN || *n > INT_MAX) return what + " is out of range";
  if (which == "front" && *n < 0) return what + " is negative";
  cut = *n;
  return std::nullopt;
}

}  // namespace

std::optional<std::string> read_clock_shift(typed_options& o) {
  const std::string_view text = o.shift_text;
  if (o.shift_given) {
    return "--shift and an hour shift word (+N, -N) both move the time: give one of them";
  }
  const std::string wrong =
      "--shift " + in_quotes(text) + " is no shift such as +1, -0:05 or 0:00:30 ([+|-]H[:MM[:SS]])";
  const bool back = text.starts_with('-');
  std::string_view rest = text.substr(back || text.starts_with('+') ? 1 : 0);
  const std::string_view hour_text = rest.substr(0, rest.find(':'));
  bool too_large = false;
  const std::optional<std::int64_t> hours =
      hour_text.find_first_not_of("0123456789") == std::string_view::npos
          ? whole_number(hour_text, too_large)
          : std::nullopt;
  if (!hours && !too_large) return wrong;
  // Below the hour shift's range, so that minutes and seconds still fit.
  if (!hours || *hours >= max_shift_hours) {
    return "--shift " + in_quotes(text) + " is out of range (less than " +
           std::to_string(max_shift_hours) + " hours either way)";
  }
  ticks shift = std::chrono::hours{*hours};
  rest.remove_prefix(hour_text.size());
  // ':MM', then ':SS', two digits each, below 60.
  for (const ticks unit : {ticks{std::chrono::minutes{1}}, ticks{std::chrono::seconds{1}}}) {
    if (rest.empty()) break;
    if (rest.size() < 3 || rest[0] != ':' || !is_digit(rest[1]) || !is_digit(rest[2])) return wrong;
    const int n = (rest[1] - '0') * 10 + (rest[2] - '0');
    if (n > 59) return wrong;
    shift += n * unit;
    rest.remove_prefix(3);
  }
  if (!rest.empty()) return wrong;
  o.shift = back ? -shift : shift;
  return std::nullopt;
}

std::optional<std::string> read_word(std::string_view word, typed_options& o) {
  o.words.emplace_back(word);
  const char first = word.empty() ? '\0' : word.front();
  if (first == '-' || first == '+') return read_shift(word, o);
  if (first == '}') return read_cut(word, "front", o.front_cut);
  if (first == '{') return read_cut(word, "back", o.back_cut);
  return std::nullopt;
}
