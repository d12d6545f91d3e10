#include "tool/arguments.hpp"

#include <optional>

#include "tool/console.hpp"
#include "tool/words.hpp"

namespace {

parsed_command usage_error(std::string message) {
  return {command::usage_error, {}, std::move(message)};
}

// The long options that take a value, as "--name=value" or "--name value".
struct value_option {
  std::string_view name;
  std::string run_options::*field;
};
constexpr value_option value_options[] = {{"--directory", &run_options::directory},
                                          {"--format", &run_options::format},
                                          {"--journal", &run_options::journal},
                                          {"--undo", &run_options::undo},
                                          {"--jobs", &run_options::jobs_text}};

struct flag_option {
  std::string_view name;
  bool run_options::*field;
};
constexpr flag_option flag_options[] = {
    {"--dry-run", &run_options::dry_run}, {"--local", &run_options::local},
    {"--seconds", &run_options::seconds}, {"--recursive", &run_options::recursive},
    {"--auto", &run_options::auto_date},  {"--date-only", &run_options::date_only},
    {"--verbose", &run_options::verbose}, {"--created", &run_options::created}};

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

// 1 to 64, written as a plain number.
std::optional<int> jobs_count(std::string_view text) {
  if (text.empty() || text.size() > 2) return std::nullopt;
  int n = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  if (n < 1 || n > 64) return std::nullopt;
  return n;
}

// The ways of reading a date go together only so far.
parsed_command check_date_options(parsed_command parsed) {
  run_options& o = parsed.options;
  if (parsed.what != command::run) return parsed;
  if (o.auto_date && !o.format.empty())
    return usage_error("--auto and --format exclude each other");
  if (!o.undo.empty() &&
      (!o.words.empty() || o.local || o.seconds || o.recursive || o.auto_date || o.date_only ||
       !o.format.empty() || !o.journal.empty() || !o.directory.empty())) {
    return usage_error("--undo goes with no words and no options but --dry-run");
  }
  if (!o.jobs_text.empty()) {
    const std::optional<int> jobs = jobs_count(o.jobs_text);
    if (!jobs) {
      return usage_error("--jobs " + in_quotes(o.jobs_text) + " is not a number from 1 to 64");
    }
    o.jobs = *jobs;
  }
  if (o.format.empty()) return parsed;
  std::string error;
  std::optional<date_pattern> pattern = compile_pattern(o.format, o.date_only, error);
  if (!pattern) return usage_error("--format " + in_quotes(o.format) + ": " + error);
  o.pattern = std::move(*pattern);
  return parsed;
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
        return usage_error(*error + dash_hint(argument));
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
        return usage_error("option " + in_quotes(name) + " needs a value");
      }
      if ((o.*option.field).empty())
        return usage_error("option " + in_quotes(name) + " needs a value");
    }
    if (!known) return usage_error("unknown option " + in_quotes(argument));
  }
  return check_date_options(parsed);
}
