// velmora: sets the last-modified time of files from the date and time
// written in their names.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/closing.hpp"
#include "app/resolve.hpp"
#include "app/session.hpp"
#include "cli/arguments.hpp"
#include "cli/help_text.hpp"
#include "cli/options.hpp"
#include "cli/path_words.hpp"
#include "platform/console.hpp"
#include "platform/paths.hpp"
#include "platform/process.hpp"

namespace {

path_kind what_is_at(const std::string& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(to_path(path), error);
  if (error || !std::filesystem::exists(status)) return path_kind::none;
  return std::filesystem::is_directory(status) ? path_kind::folder : path_kind::file;
}

int usage_error(const std::string& message) {
  report(message);
  print_err("Try 'velmora --help' for more information.\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  prepare_process();
  const std::vector<std::string> words = command_words(argc, argv);
  const std::vector<std::string_view> arguments(words.begin(), words.end());
  const parsed_command parsed = read_arguments(arguments);
  switch (parsed.what) {
    case command::help:
      return print_out(help_text()) ? 0 : 1;
    case command::version:
      return print_out(version_text) ? 0 : 1;
    case command::usage_error:
      return usage_error(parsed.error);
    case command::run:
      break;
  }
  if (const std::optional<std::string> error =
          path_word_error(parsed.options, path_separators(), what_is_at)) {
    return usage_error(*error);
  }
  run_plan plan;
  if (const std::optional<std::string> error =
          resolve_plan(parsed.options, gather_facts(parsed.options), plan)) {
    return usage_error(*error);
  }
  const int status = run_session(parsed.options, plan);
  const console_calls console{console_processes, [](const std::string& line) { report(line); },
                              wait_for_enter};
  hold_console(console, status == 2 || parsed.options.undo ? std::string() : plan.undo_command);
  return status;
}
