#include "journal/journal_check.hpp"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "journal/journal_text.hpp"
#include "names/quoting.hpp"
#include "platform/paths.hpp"

std::string check_journal(const std::string& path, std::ifstream& file, checked_journal& journal) {
  const std::string from = "cannot undo from " + in_quotes(path) + ": ";
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(to_path(path), error);
  if (error) return "cannot read the journal " + in_quotes(path) + ": " + error.message();
  if (!std::filesystem::is_regular_file(status)) return from + "it is not a file";
  file.open(to_path(path), std::ios::binary);
  if (!file) return "cannot read the journal " + in_quotes(path) + ": " + std::strerror(errno);
  std::string line;
  std::int64_t offset = 0;
  std::int64_t number = 1;
  for (; std::getline(file, line); ++number) {
    const journal_line parsed = parse_journal_line(line);
    const bool fits = number == 1 ? parsed.kind == line_kind::magic
                                  : parsed.kind != line_kind::malformed &&
                                        parsed.kind != line_kind::magic &&
                                        (parsed.kind != line_kind::file || !journal.runs.empty());
    const bool torn_start = number == 1 && journal_magic.starts_with(line);
    if (!fits && (number > 1 || torn_start) && file.eof()) {
      journal.torn = true;  // a run stopped while writing it: its file was never stamped
      break;
    }
    if (!fits) {
      return from + "line " + std::to_string(number) +
             (number == 1 ? " is not the start of a velmora journal: " : " is not a record: ") +
             in_quotes(line);
    }
    if (parsed.kind == line_kind::folder) journal.runs.push_back({offset, parsed.path});
    offset += static_cast<std::int64_t>(line.size()) + 1;
  }
  if (file.bad()) return "cannot read the journal " + in_quotes(path) + ": " + std::strerror(errno);
  if (number == 1) return from + "it is empty, not a velmora journal";
  return {};
}
