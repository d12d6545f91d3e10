// Where a run's lines go, as a plain record of functions: the platform
// room writes them to the console (console_output), the tests keep them.
#pragma once

#include <functional>
#include <string>
#include <string_view>

struct run_output {
  // Lines for standard output, each ending in a newline, written and
  // flushed before the call returns: 0, or the error that stopped them.
  std::function<int(std::string_view lines)> out;
  // One message line for standard error, written as it is.
  std::function<void(std::string_view line)> err;
  // A line of progress drawn in place of the last one, or taken away
  // (empty); a message written meanwhile takes it away first.
  std::function<void(std::string_view line)> progress;
  bool err_is_terminal = false;
  bool out_is_terminal = false;
};

// "velmora: " and the message, as one line on standard error.
inline void say(const run_output& output, std::string_view message) {
  std::string line = "velmora: ";
  line.append(message).push_back('\n');
  output.err(line);
}
