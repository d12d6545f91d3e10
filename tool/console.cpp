#include "tool/console.hpp"

#include <cstdio>

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

std::string in_quotes(std::string_view text) {
  static constexpr char hex[] = "0123456789abcdef";
  std::string out = "'";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\t') {
      out += "\\t";
    } else if (c == '\n') {
      out += "\\n";
    } else if (byte < 0x20 || byte == 0x7f) {
      out += "\\x";
      out += hex[byte >> 4];
      out += hex[byte & 15];
    } else {
      out += c;
    }
  }
  out += '\'';
  return out;
}
