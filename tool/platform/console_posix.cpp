#include <unistd.h>

#include "platform/console.hpp"

bool write_stream(std::FILE* stream, std::string_view text) {
  return std::fwrite(text.data(), 1, text.size(), stream) == text.size() &&
         std::fflush(stream) == 0;
}

bool is_terminal(std::FILE* stream) {
  return isatty(fileno(stream)) == 1;
}

int console_processes() {
  return 0;  // a terminal stays open when a program ends
}

void wait_for_enter() {
  for (int c = std::getchar(); c != EOF && c != '\n'; c = std::getchar()) {
  }
}
