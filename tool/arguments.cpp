#include "tool/arguments.hpp"

#include <climits>
#include <optional>

#include "tool/console.hpp"
#include "tool/leading_number.hpp"

namespace {

parsed_command usage_error(std::string message) {
  return {command::usage_error, {}, std::move(message)};
}

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

// The long options that take a value, as "--name=value" or "--name value".
struct value_option {
  std::string_view name;
  std::string run_options::*field;
};
constexpr value_option value_options[] = {{"--directory", &run_options::directory}};

struct flag_option {
  std::string_view name;
  bool run_options::*field;
};
constexpr flag_option flag_options[] = {{"--dry-run", &run_options::dry_run},
                                        {"--local", &run_options::local},
                                        {"--seconds", &run_options::seconds},
                                        {"--recursive", &run_options::recursive}};

bool is_long_option(std::string_view name) {
  if (name == "--help" || name == "--version") return true;
  for (const flag_option& flag : flag_options) {
    if (name == flag.name) return true;
  }
  for (const value_option& option : value_options) {
    if (name == option.name) return true;
  }
  return false;
}

// What a word that begins with a dash may have been meant as.
std::string dash_hint(std::string_view word) {
  if (word == "-n") return " (a dry run is --dry-run)";
  if (word == "-r" || word == "-R") return " (to walk subfolders, use --recursive)";
  if (word == "-v" || word == "-V") return " (the version is --version)";
  if (word == "-C") return " (to run in another folder, use --directory DIR)";
  std::string doubled(1, '-');
  doubled.append(word);
  if (is_long_option(doubled.substr(0, doubled.find('='))))
    return " (did you mean " + doubled + "?)";
  return "";
}

std::optional<std::string> read_shift(std::string_view word, run_options& o) {
  bool too_large = false;
  const std::optional<std::int64_t> hours = whole_number(word, too_large);
  if (!hours && !too_large) {
    return quoted(word) + " is not a whole number of hours, such as +3 or -2" + dash_hint(word);
  }
  if (!hours || *hours < -max_shift_hours || *hours > max_shift_hours) {
    return "hour shift " + quoted(word) + " is out of range (at most " +
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
  const std::string what = std::string(which) + " cut " + quoted(word);
  if (!n && !too_large) return what + " is not a whole number of characters";
  if (!n || *n < INT_MIN || *n > INT_MAX) return what + " is out of range";
  if (which == "front" && *n < 0) return what + " is negative";
  cut = *n;
  return std::nullopt;
}

// A word of the base grammar: an hour shift, a cut, or an extension. Every
// word is also kept as an extension to match.
std::optional<std::string> read_word(std::string_view word, run_options& o) {
  o.words.emplace_back(word);
  const char first = word.empty() ? '\0' : word.front();
  if (first == '-' || first == '+') return read_shift(word, o);
  if (first == '}') return read_cut(word, "front", o.front_cut);
  if (first == '{') return read_cut(word, "back", o.back_cut);
  return std::nullopt;
}

}  // namespace

parsed_command read_arguments(const std::vector<std::string_view>& arguments) {
  parsed_command parsed;
  run_options& o = parsed.options;
  bool long_options = true;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (long_options && (argument == "-h" || argument == "--help")) return {command::help, {}, {}};
    if (!long_options || !argument.starts_with("--")) {
      if (std::optional<std::string> error = read_word(argument, o)) {
        return usage_error(std::move(*error));
      }
      continue;
    }
    if (argument == "--") {
      long_options = false;
      continue;
    }
    if (argument == "--version") {
      parsed.what = command::version;
      continue;
    }
    bool known = false;
    for (const flag_option& flag : flag_options) {
      if (argument == flag.name) known = o.*flag.field = true;
    }
    for (const value_option& option : value_options) {
      const std::string_view name = argument.substr(0, argument.find('='));
      if (name != option.name) continue;
      known = true;
      if (name.size() < argument.size()) {
        o.*option.field = argument.substr(name.size() + 1);
      } else if (i + 1 < arguments.size()) {
        o.*option.field = arguments[++i];
      } else {
        return usage_error("option " + quoted(name) + " needs a value");
      }
      if ((o.*option.field).empty())
        return usage_error("option " + quoted(name) + " needs a value");
    }
    if (!known) return usage_error("unknown option " + quoted(argument));
  }
  return parsed;
}
