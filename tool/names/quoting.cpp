#include "names/quoting.hpp"

#include "names/characters.hpp"

void append_escape(std::string& out, unsigned char byte) {
  static constexpr char hex[] = "0123456789abcdef";
  switch (byte) {
    case '\t':
      out += "\\t";
      return;
    case '\n':
      out += "\\n";
      return;
    case '\r':
      out += "\\r";
      return;
    case '\\':
      out += "\\\\";
      return;
    default:
      out += "\\x";
      out += hex[byte >> 4];
      out += hex[byte & 15];
  }
}

bool is_control(unsigned char byte) {
  return byte < 0x20 || byte == 0x7f;
}

std::string in_quotes(std::string_view text) {
  enum { outside, quoted, escaped } in = outside;
  std::string out;
  const auto enter = [&](decltype(in) next, std::string_view opening) {
    if (in == next) return;
    if (in != outside) out += '\'';
    if (next != outside) out += opening;
    in = next;
  };
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = character_length(text.substr(at));
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte == '\'') {
      enter(outside, "");
      out += "\\'";
    } else if (length > 1 || (!is_control(byte) && byte < 0x80)) {
      enter(quoted, "'");
      out.append(text.substr(at, length));
    } else {
      enter(escaped, "$'");
      append_escape(out, byte);
    }
    at += length;
  }
  if (out.empty()) return "''";
  enter(outside, "");
  return out;
}

namespace {

std::string_view shown(std::string_view path, std::string& quoted, bool tab_as_is) {
  for (const char c : path) {
    if (is_control(static_cast<unsigned char>(c)) && !(tab_as_is && c == '\t')) {
      quoted = in_quotes(path);
      return quoted;
    }
  }
  return path;
}

}  // namespace

std::string_view shown_path(std::string_view path, std::string& quoted) {
  return shown(path, quoted, false);
}

std::string_view shown_last_path(std::string_view path, std::string& quoted) {
  return shown(path, quoted, true);
}
