#include "journal/journal_check.hpp"

#include <cstring>

#include "journal/journal_text.hpp"
#include "names/quoting.hpp"

std::string check_journal(const journal_reader& reader, const std::string& path,
                          checked_journal& journal) {
  const std::string from = "cannot undo from " + in_quotes(path) + ": ";
  forward_lines lines{reader, 0, {}, 0};
  std::string line;
  std::int64_t offset = 0;
  std::int64_t number = 1;
  bool ended = false;
  int error = 0;
  for (; next_line(lines, line, ended, error); ++number) {
    const journal_line parsed = parse_journal_line(line);
    const bool fits = number == 1 ? parsed.kind == line_kind::magic
                                  : parsed.kind != line_kind::malformed &&
                                        parsed.kind != line_kind::magic &&
                                        (parsed.kind != line_kind::file || !journal.runs.empty());
    const bool torn_start = number == 1 && journal_magic.starts_with(line);
    if (!fits && (number > 1 || torn_start) && !ended) {
      journal.torn = true;  // a run stopped while writing it: its file was never stamped
      break;
    }
    if (!fits) {
      return from + "line " + std::to_string(number) +
             (number == 1 ? " is not the start of a velmora journal: " : " is not a record: ") +
             in_quotes(line);
    }
    if (parsed.kind == line_kind::folder) {
      journal.runs.push_back({offset, parsed.path, parsed.started});
    } else if (parsed.kind == line_kind::file) {
      ++journal.runs.back().records;
    } else if (parsed.kind == line_kind::undone) {
      for (run_folder& run : journal.runs) run.undone = run.undone || run.started == parsed.started;
    }
    offset += static_cast<std::int64_t>(line.size()) + 1;
  }
  journal.whole = offset;
  if (error != 0) return "cannot read the journal " + in_quotes(path) + ": " + std::strerror(error);
  return {};
}
