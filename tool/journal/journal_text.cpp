#include "journal/journal_text.hpp"

#include <algorithm>
#include <vector>

#include "journal/journal_time.hpp"
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

}  // namespace

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
