#include <algorithm>
#include <string>

#include "names/date_pattern.hpp"

namespace {

struct conversion {
  char letter;
  pattern_part part;
};
constexpr conversion conversions[] = {
    {'Y', pattern_part::year},   {'y', pattern_part::year_2}, {'m', pattern_part::month},
    {'d', pattern_part::day},    {'H', pattern_part::hour},   {'I', pattern_part::hour_12},
    {'M', pattern_part::minute}, {'S', pattern_part::second}, {'f', pattern_part::fraction},
    {'p', pattern_part::am_pm},  {'z', pattern_part::offset}};

bool has(const date_pattern& pattern, pattern_part part) {
  return std::any_of(pattern.begin(), pattern.end(),
                     [part](const pattern_item& item) { return item.part == part; });
}

}  // namespace

std::optional<date_pattern> compile_pattern(std::string_view text, bool date_only,
                                            std::string& error) {
  if (text.size() > longest_pattern) {
    error = "the pattern is longer than " + std::to_string(longest_pattern) + " characters";
    return std::nullopt;
  }
  date_pattern pattern;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '*') {
      // Two '*' in a row match what one does.
      if (pattern.empty() || pattern.back().part != pattern_part::any) {
        pattern.push_back({pattern_part::any, '\0'});
      }
    } else if (text[i] != '%') {
      pattern.push_back({pattern_part::literal, text[i]});
    } else if (++i == text.size()) {
      error = "the pattern ends in a lone '%'";
      return std::nullopt;
    } else if (text[i] == '%') {
      pattern.push_back({pattern_part::literal, '%'});
    } else {
      const auto* known = std::find_if(std::begin(conversions), std::end(conversions),
                                       [&](const conversion& c) { return c.letter == text[i]; });
      if (known == std::end(conversions)) {
        error = std::string("the pattern has '%") + text[i] + "', which is no conversion it knows";
        return std::nullopt;
      }
      pattern.push_back({known->part, '\0'});
    }
  }
  const bool year = has(pattern, pattern_part::year) || has(pattern, pattern_part::year_2);
  const bool hour = has(pattern, pattern_part::hour) || has(pattern, pattern_part::hour_12);
  if (has(pattern, pattern_part::hour_12) != has(pattern, pattern_part::am_pm)) {
    error = "the pattern needs %I and %p together, for a 12-hour clock";
  } else if (has(pattern, pattern_part::hour) && has(pattern, pattern_part::hour_12)) {
    error = "the pattern has both %H and %I";
  } else if (!year || !has(pattern, pattern_part::month) || !has(pattern, pattern_part::day)) {
    error = "the pattern needs a year (%Y or %y), a month (%m) and a day (%d)";
  } else if (!date_only && (!hour || !has(pattern, pattern_part::minute))) {
    error = "the pattern needs an hour (%H, or %I and %p) and a minute (%M), or --date-only";
  } else {
    return pattern;
  }
  return std::nullopt;
}
