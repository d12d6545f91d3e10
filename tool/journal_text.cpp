#include "tool/journal_text.hpp"

#include <cstdio>
#include <vector>

#include "tool/characters.hpp"
#include "tool/scan.hpp"

namespace {

constexpr char hex[] = "0123456789abcdef";

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::vector<std::string_view> split_tabs(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

}  // namespace

std::string escape_path(std::string_view path) {
  std::string out;
  out.reserve(path.size());
  for (std::size_t at = 0; at < path.size();) {
    const std::size_t length = character_length(path.substr(at));
    const auto byte = static_cast<unsigned char>(path[at]);
    if (length > 1) {
      out.append(path.substr(at, length));  // a valid UTF-8 character, as it is
    } else if (byte == '\\') {
      out += "\\\\";
    } else if (byte == '\t') {
      out += "\\t";
    } else if (byte == '\n') {
      out += "\\n";
    } else if (byte == '\r') {
      out += "\\r";
    } else if (byte < 0x20 || byte >= 0x7f) {
      out += "\\x";
      out += hex[byte >> 4];
      out += hex[byte & 15];
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

std::string format_journal_time(const file_time& t) {
  const calendar_time c = from_ticks(t.tick);
  const std::int64_t fraction =
      (t.tick - std::chrono::floor<std::chrono::seconds>(t.tick)).count() * 100 + t.nanoseconds;
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%09lldZ", c.year, c.month, c.day,
                c.hour, c.minute, c.second, static_cast<long long>(fraction));
  return text;
}

std::optional<file_time> parse_journal_time(std::string_view text) {
  // YYYY(Y)-MM-DDThh:mm:ss.nnnnnnnnnZ
  const std::size_t year_digits = digit_run(text, 0);
  if (year_digits < 4 || year_digits > 5 || text.size() != year_digits + 26) return std::nullopt;
  const std::string_view rest = text.substr(year_digits);
  constexpr std::string_view shape = "-dd-ddTdd:dd:dd.dddddddddZ";
  for (std::size_t i = 0; i < shape.size(); ++i) {
    if (shape[i] == 'd' ? !is_digit(rest[i]) : rest[i] != shape[i]) return std::nullopt;
  }
  calendar_time c{number_at(text, 0, year_digits), number_at(rest, 1, 2), number_at(rest, 4, 2),
                  number_at(rest, 7, 2),           number_at(rest, 10, 2), number_at(rest, 13, 2),
                  number_at(rest, 16, 9)};
  const std::optional<tick_time> t = to_ticks(c);
  if (!t) return std::nullopt;
  return file_time{*t, c.nanosecond % 100};
}

std::string folder_line(std::string_view folder) {
  return "folder\t" + escape_path(folder) + "\n";
}

std::string file_line(std::string_view path, const file_time& before, const file_time& set) {
  std::string line = "file\t";
  line.append(escape_path(path)).push_back('\t');
  line.append(format_journal_time(before)).push_back('\t');
  line.append(format_journal_time(set)).push_back('\n');
  return line;
}

journal_line parse_journal_line(std::string_view line) {
  journal_line parsed;
  if (line == journal_magic) {
    parsed.kind = line_kind::magic;
    return parsed;
  }
  if (line.empty() || line.front() == '#') {
    parsed.kind = line_kind::comment;
    return parsed;
  }
  const std::vector<std::string_view> fields = split_tabs(line);
  const std::optional<std::string> path =
      fields.size() >= 2 ? unescape_path(fields[1]) : std::nullopt;
  if (!path || path->empty()) return parsed;
  parsed.path = *path;
  if (fields[0] == "folder" && fields.size() == 2) {
    parsed.kind = line_kind::folder;
  } else if (fields[0] == "file" && fields.size() == 4) {
    const std::optional<file_time> before = parse_journal_time(fields[2]);
    const std::optional<file_time> set = parse_journal_time(fields[3]);
    if (!before || !set) return parsed;
    parsed.before = *before;
    parsed.set = *set;
    parsed.kind = line_kind::file;
  }
  return parsed;
}
