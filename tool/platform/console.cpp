#include "platform/console.hpp"

bool print_out(std::string_view text) {
  return write_stream(stdout, text);
}

void print_err(std::string_view text) {
  write_stream(stderr, text);
}

namespace {

std::size_t progress_width = 0;  // of the progress line on the terminal; 0 for none

}  // namespace

void show_progress(std::string_view text) {
  // Over the old line, then blanks where it was longer: no escape
  // sequence that a console might not know.
  std::string line = "\r";
  line.append(text);
  if (progress_width > text.size()) line.append(progress_width - text.size(), ' ');
  if (text.empty()) line.push_back('\r');
  progress_width = text.size();
  write_stream(stderr, line);
}

void clear_progress() {
  if (progress_width > 0) show_progress({});
}

void report(std::string_view message) {
  clear_progress();
  std::string line = "velmora: ";
  line.append(message).push_back('\n');
  print_err(line);
}
