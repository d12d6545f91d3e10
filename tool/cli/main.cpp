// velmora: sets the last-modified time of files from the date and time
// written in their names.

#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.hpp"
#include "cli/options.hpp"
#include "cli/session.hpp"
#include "platform/console.hpp"
#include "platform/process.hpp"

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
      report(parsed.error);
      print_err("Try 'velmora --help' for more information.\n");
      return 2;
    case command::run:
      break;
  }
  return run_session(parsed.options);
}
