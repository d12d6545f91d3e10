#include "journal/path_escape.hpp"

#include "names/characters.hpp"
#include "names/quoting.hpp"

namespace {

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool is_plain(std::string_view path) {
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x7f || byte == '\\') return false;
  }
  return true;
}

std::string escape_path(std::string_view path) {
  if (is_plain(path)) return std::string(path);  // most names: nothing to escape
  std::string out;
  out.reserve(path.size());
  for (std::size_t at = 0; at < path.size();) {
    const std::size_t length = character_length(path.substr(at));
    const auto byte = static_cast<unsigned char>(path[at]);
    if (length > 1) {
      out.append(path.substr(at, length));  // a valid UTF-8 character, as it is
    } else if (byte == '\\' || byte < 0x20 || byte >= 0x7f) {
      append_escape(out, byte);
    } else {
      out += path[at];
    }
    at += length;
  }
  return out;
}

std::optional<std::string> unescape_path(std::string_view text) {
  std::string out;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '\\') {
      out += text[at];
      continue;
    }
    if (++at == text.size()) return std::nullopt;
    switch (text[at]) {
      case '\\':
        out += '\\';
        break;
      case 't':
        out += '\t';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 'x': {
        if (at + 2 >= text.size()) return std::nullopt;
        const int high = hex_value(text[at + 1]);
        const int low = hex_value(text[at + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        at += 2;
        break;
      }
      default:
        return std::nullopt;
    }
  }
  return out;
}
