#include "cli/arguments.hpp"

#include <optional>

#include "cli/options.hpp"
#include "cli/typos.hpp"
#include "cli/words.hpp"
#include "names/quoting.hpp"

namespace {

parsed_command usage_error(std::string message) {
  return {command::usage_error, {}, std::move(message)};
}

bool is_long_option(std::string_view name) {
  return name == "--help" || name == "--version" || find_option(name) != nullptr;
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

// Which options go together, and the values that must be read further.
parsed_command check_combinations(parsed_command parsed,
                                  const std::vector<const option_doc*>& given) {
  typed_options& o = parsed.options;
  if (parsed.what != command::run) return parsed;
  if (o.auto_date && !o.format.empty())
    return usage_error("--auto and --format exclude each other");
  if (static_cast<int>(o.local) + static_cast<int>(o.utc) + static_cast<int>(!o.tz.empty()) > 1) {
    return usage_error("--local, --utc and --tz each name the zone: give one of them");
  }
  if (!o.journal.empty() && o.no_journal) {
    return usage_error("--journal and --no-journal exclude each other");
  }
  if (o.video_local && !o.exif) {
    return usage_error("--video-local says how --exif reads videos: use it with --exif");
  }
  if (o.list && !o.undo)
    return usage_error("--list lists the runs of a journal: use it with --undo");
  if (o.undo) {
    if (!o.words.empty()) return usage_error("--undo takes no words, only the journal");
    for (const option_doc* option : given) {
      if (!option->with_undo) {
        return usage_error("option " + in_quotes(option->name) + " means nothing with --undo");
      }
    }
  }
  if (!o.shift_text.empty()) {
    if (std::optional<std::string> error = read_clock_shift(o)) return usage_error(*error);
  }
  if (!o.jobs_text.empty()) {
    const std::optional<int> jobs = jobs_count(o.jobs_text);
    if (!jobs) {
      return usage_error("--jobs " + in_quotes(o.jobs_text) + " is not a number from 1 to 64");
    }
    o.jobs = *jobs;
  }
  return parsed;
}

}  // namespace

parsed_command read_arguments(const std::vector<std::string_view>& arguments) {
  parsed_command parsed;
  typed_options& o = parsed.options;
  bool long_options = true;
  std::vector<const option_doc*> given;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    // "-?" and "/?" are how Windows programs are asked for help.
    if (long_options &&
        (argument == "-h" || argument == "--help" || argument == "-?" || argument == "/?")) {
      return {command::help, {}, {}};
    }
    if (const std::optional<std::string> typo = long_options ? dash_typo(argument) : std::nullopt) {
      return usage_error(*typo);
    }
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
    const std::string_view name = argument.substr(0, argument.find('='));
    const option_doc* option = find_option(name);
    const bool flag_only = option != nullptr && option->flag != nullptr && option->text == nullptr;
    if (option == nullptr || (flag_only && name.size() < argument.size())) {
      const std::string meant = option == nullptr ? nearest_option(name) : "";
      return usage_error("unknown option " + in_quotes(argument) +
                         (meant.empty() ? "" : " (did you mean " + meant + "?)"));
    }
    given.push_back(option);
    if (option->flag != nullptr) o.*option->flag = true;
    // A value that may be left out is taken from the next word only when
    // it is no option: "--undo --dry-run" undoes the default journal.
    const bool value_follows = i + 1 < arguments.size() && !arguments[i + 1].starts_with("-");
    if (flag_only || (option->optional_value && name.size() == argument.size() && !value_follows)) {
      continue;
    }
    std::string& value = o.*option->text;
    if (name.size() < argument.size()) {
      value = argument.substr(name.size() + 1);
    } else if (i + 1 < arguments.size()) {
      value = arguments[++i];
    } else {
      return usage_error("option " + in_quotes(name) + " needs a value");
    }
    if (value.empty()) return usage_error("option " + in_quotes(name) + " needs a value");
  }
  return check_combinations(parsed, given);
}
