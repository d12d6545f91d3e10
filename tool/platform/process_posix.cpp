#include <csignal>

#include "platform/process.hpp"

// A reader that goes away (velmora | head) makes the next write fail with
// EPIPE, which the run reports and stops on, instead of killing the process
// without a word.
void prepare_process() {
  std::signal(SIGPIPE, SIG_IGN);
}

std::vector<std::string> command_words(int argc, char** argv) {
  return {argv + (argc > 0 ? 1 : 0), argv + argc};
}
