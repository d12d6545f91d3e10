#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "platform/process.hpp"

// A standard stream that was closed (velmora >&-) is held by /dev/null,
// opened so that writes to it fail: otherwise the next file opened, the
// journal, would take its number and receive the tool's output. A write
// to standard output then fails, and the run stops as for any broken
// output.
//
// A reader that goes away (velmora | head) makes the next write fail with
// EPIPE, which the run reports and stops on, instead of killing the
// process without a word.
int descriptor_room() {
  struct rlimit limit;
  if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
      limit.rlim_cur > 1 << 20) {
    return 1 << 20;
  }
  return static_cast<int>(limit.rlim_cur);
}

void prepare_process() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
      const int held = open("/dev/null", O_RDONLY);
      if (held >= 0 && held != fd) close(held);  // fd was taken meanwhile: nothing to hold
    }
  }
  std::signal(SIGPIPE, SIG_IGN);
}

namespace {

volatile std::sig_atomic_t asked_to_stop = 0;

void on_interrupt(int signal) {
  if (asked_to_stop != 0) {  // a second: at once
    std::signal(signal, SIG_DFL);
    std::raise(signal);
  }
  asked_to_stop = 1;
}

}  // namespace

void watch_interrupts() {
  struct sigaction action {};
  action.sa_handler = on_interrupt;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

bool interrupted() {
  return asked_to_stop != 0;
}

std::vector<std::string> command_words(int argc, char** argv) {
  return {argv + (argc > 0 ? 1 : 0), argv + argc};
}
