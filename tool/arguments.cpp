#include "tool/arguments.hpp"

#include <climits>
#include <optional>

#include "tool/leading_number.hpp"
#include "tool/tick_time.hpp"

namespace {

// An option's number as atoi reads it (no digits read as 0); nullopt when
// it is beyond 64 bits, where atoi's result would be undefined.
std::optional<std::int64_t> atoi_value(std::string_view text) {
  const leading_number n = read_leading_number(text);
  if (!n.fits) return std::nullopt;
  return n.value;
}

parsed_command usage_error(std::string message) {
  return {command::usage_error, {}, std::move(message)};
}

// A cut is held to int's range so that cut arithmetic never overflows.
bool cut_in_range(const std::optional<std::int64_t>& n) {
  return n && *n >= INT_MIN && *n <= INT_MAX;
}

}  // namespace

parsed_command read_arguments(const std::vector<std::string_view>& arguments) {
  parsed_command parsed;
  run_options& o = parsed.options;
  bool long_options = true;
  for (const std::string_view argument : arguments) {
    if (long_options && (argument == "-h" || argument == "--help")) return {command::help, {}, {}};
    if (long_options && argument.starts_with("--")) {
      if (argument == "--") {
        long_options = false;
      } else if (argument == "--version") {
        parsed.what = command::version;
      } else if (argument == "--dry-run") {
        o.dry_run = true;
      } else if (argument == "--local") {
        o.local = true;
      } else if (argument == "--seconds") {
        o.seconds = true;
      } else if (argument == "--recursive") {
        o.recursive = true;
      } else {
        return usage_error("unknown option '" + std::string(argument) + "'");
      }
      continue;
    }

    o.words.emplace_back(argument);
    const char first = argument.empty() ? '\0' : argument.front();
    if (first == '-' || first == '+') {
      const std::optional<std::int64_t> hours = atoi_value(argument);
      if (!hours || *hours < -max_shift_hours || *hours > max_shift_hours) {
        return usage_error("hour shift '" + std::string(argument) + "' is out of range (at most " +
                           std::to_string(max_shift_hours) + " hours either way)");
      }
      o.shift_given = true;
      o.shift = *hours * ticks_per_hour;
    } else if (first == '}') {
      const std::optional<std::int64_t> cut = atoi_value(argument.substr(1));
      if (!cut_in_range(cut)) {
        return usage_error("front cut '" + std::string(argument) + "' is out of range");
      }
      if (*cut < 0) {
        return usage_error("front cut '" + std::string(argument) + "' is negative");
      }
      o.front_cut = *cut;
    } else if (first == '{') {
      const std::optional<std::int64_t> cut = atoi_value(argument.substr(1));
      if (!cut_in_range(cut)) {
        return usage_error("back cut '" + std::string(argument) + "' is out of range");
      }
      o.back_cut = *cut;
    }
  }
  return parsed;
}
