#include "platform/console.hpp"

#include <cerrno>
#include <cstring>

bool print_out(std::string_view text) {
  return write_stream(stdout, text);
}

void print_err(std::string_view text) {
  write_stream(stderr, text);
}

void report(std::string_view message) {
  std::string line = "velmora: ";
  line.append(message).push_back('\n');
  print_err(line);
}

void report_output_failure() {
  report(std::string("cannot write to standard output: ") + std::strerror(errno));
}
