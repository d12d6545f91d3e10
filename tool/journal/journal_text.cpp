#include "journal/journal_text.hpp"

#include <algorithm>
#include <vector>

#include "journal/path_escape.hpp"
#include "names/scan.hpp"

namespace {

std::vector<std::string_view> split_tabs(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

// Writes value as width digits, zero-padded, ending just before end; two
// digits a step.
void put_digits(char* end, std::int64_t value, int width) {
  static constexpr char pairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  auto v = static_cast<std::uint64_t>(value);
  for (; width >= 2; width -= 2, v /= 100) {
    end -= 2;
    end[0] = pairs[v % 100 * 2];
    end[1] = pairs[v % 100 * 2 + 1];
  }
  if (width == 1) *--end = static_cast<char>('0' + v % 10);
}

}  // namespace

std::string format_journal_time(const file_time& t) {
  std::string text;
  append_journal_time(text, t);
  return text;
}

void append_journal_time(std::string& text, const file_time& t) {
  // By hand: a run formats two of these for every file it stamps.
  const calendar_time c = from_ticks(t.tick);
  const std::int64_t fraction =
      (t.tick - std::chrono::floor<std::chrono::seconds>(t.tick)).count() * 100 + t.nanoseconds;
  const int year_digits = c.year > 9999 ? 5 : 4;
  char out[32] = "0000-00-00T00:00:00.000000000Z";
  char* rest = out + year_digits - 4;  // a five-digit year moves the rest along
  if (year_digits == 5) std::copy(out, out + 30, out + 1);
  put_digits(rest + 4, c.year, year_digits);
  put_digits(rest + 7, c.month, 2);
  put_digits(rest + 10, c.day, 2);
  put_digits(rest + 13, c.hour, 2);
  put_digits(rest + 16, c.minute, 2);
  put_digits(rest + 19, c.second, 2);
  put_digits(rest + 29, fraction, 9);
  text.append(out, static_cast<std::size_t>(year_digits) + 26);
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
  calendar_time c{number_at(text, 0, year_digits), number_at(rest, 1, 2),  number_at(rest, 4, 2),
                  number_at(rest, 7, 2),           number_at(rest, 10, 2), number_at(rest, 13, 2),
                  number_at(rest, 16, 9)};
  const std::optional<tick_time> t = to_ticks(c);
  if (!t) return std::nullopt;
  return file_time{*t, c.nanosecond % 100};
}

std::string folder_line(std::string_view folder, const file_time& started) {
  std::string line = "folder\t" + escape_path(folder) + "\t";
  append_journal_time(line, started);
  return line + "\n";
}

std::string undone_line(const file_time& started) {
  std::string line = "undone\t";
  append_journal_time(line, started);
  return line + "\n";
}

void append_file_line(std::string& out, std::string_view path, const file_time& before,
                      const file_time& set, const std::optional<file_time>& created_before,
                      bool link) {
  out += link ? "link\t" : "file\t";
  if (is_plain(path)) {
    out += path;
  } else {
    out += escape_path(path);
  }
  out += '\t';
  append_journal_time(out, before);
  out += '\t';
  append_journal_time(out, set);
  if (created_before) {
    out += '\t';
    append_journal_time(out, *created_before);
  }
  out += '\n';
}

namespace {

// A record's path stays in its run's folder: "./" and then names, none of
// them "..", and no NUL, which would cut the name short.
bool stays_inside(std::string_view path) {
  if (!path.starts_with("./") || path.find('\0') != std::string_view::npos) return false;
  for (std::size_t start = 2; start <= path.size();) {
    const std::size_t end = std::min(path.find_first_of("/\\", start), path.size());
    if (path.substr(start, end - start) == "..") return false;
    start = end + 1;
  }
  return true;
}

// A folder line names a full path: "/..." on Linux, "C:\..." or "\\..." on
// Windows.
bool is_full_path(std::string_view folder) {
  if (folder.find('\0') != std::string_view::npos) return false;
  if (folder.starts_with('/') || folder.starts_with("\\\\")) return true;
  return folder.size() >= 3 && is_letter(folder[0]) && folder[1] == ':' &&
         (folder[2] == '\\' || folder[2] == '/');
}

}  // namespace

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
  if (fields[0] == "undone") {
    if (fields.size() == 2) parsed.started = parse_journal_time(fields[1]);
    if (parsed.started) parsed.kind = line_kind::undone;
    return parsed;
  }
  const std::optional<std::string> path =
      fields.size() >= 2 ? unescape_path(fields[1]) : std::nullopt;
  if (!path || path->empty()) return parsed;
  parsed.path = *path;
  if (fields[0] == "folder" && (fields.size() == 2 || fields.size() == 3)) {
    if (fields.size() == 3) {
      parsed.started = parse_journal_time(fields[2]);
      if (!parsed.started) return parsed;
    }
    if (is_full_path(parsed.path)) parsed.kind = line_kind::folder;
  } else if ((fields[0] == "file" || fields[0] == "link") &&
             (fields.size() == 4 || fields.size() == 5) && stays_inside(parsed.path)) {
    const std::optional<file_time> before = parse_journal_time(fields[2]);
    const std::optional<file_time> set = parse_journal_time(fields[3]);
    if (!before || !set) return parsed;
    if (fields.size() == 5) {
      parsed.created_before = parse_journal_time(fields[4]);
      if (!parsed.created_before) return parsed;
    }
    parsed.before = *before;
    parsed.set = *set;
    parsed.link = fields[0] == "link";
    parsed.kind = line_kind::file;
  }
  return parsed;
}
