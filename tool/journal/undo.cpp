#include "journal/undo.hpp"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <vector>

#include "journal/journal_text.hpp"
#include "journal/lines_backwards.hpp"
#include "platform/careful_write.hpp"
#include "platform/console.hpp"
#include "platform/paths.hpp"

namespace {

struct run_folder {
  std::int64_t offset;  // where its line starts
  std::string folder;
};

// Checks every line, and finds where each run's folder line stands.
bool read_folders(std::ifstream& file, const std::string& path, std::vector<run_folder>& runs) {
  std::string line;
  std::int64_t offset = 0;
  for (std::int64_t number = 1; std::getline(file, line); ++number) {
    const journal_line parsed = parse_journal_line(line);
    const bool fits = number == 1 ? parsed.kind == line_kind::magic
                                  : parsed.kind != line_kind::malformed &&
                                        parsed.kind != line_kind::magic &&
                                        (parsed.kind != line_kind::file || !runs.empty());
    if (!fits) {
      report("cannot undo from " + in_quotes(path) + ": line " + std::to_string(number) +
             (number == 1 ? " is not the start of a velmora journal: " : " is not a record: ") +
             in_quotes(line));
      return false;
    }
    if (parsed.kind == line_kind::folder) runs.push_back({offset, parsed.path});
    offset += static_cast<std::int64_t>(line.size()) + 1;
  }
  return true;
}

enum class outcome { restored, unchanged, left_alone, output_failed };

outcome undo_one(const std::string& path, const journal_line& record, bool dry_run) {
  const file_ref file{nullptr, nullptr, path.c_str()};
  file_time now;
  if (const int error = read_modified_time(file, now)) {
    report("cannot restore " + in_quotes(path) + ": " +
           (error == error_is_directory ? std::string("it is a folder") : error_text(error)));
    return outcome::left_alone;
  }
  if (now == record.before) return outcome::unchanged;  // never stamped, or restored already
  if (now != record.set) {
    report("left " + in_quotes(path) + " alone: its time has changed since the run (it is " +
           format_utc(now) + ", the run set " + format_utc(record.set) + ")");
    return outcome::left_alone;
  }
  std::string quoted;
  const std::string shown(shown_path(path, quoted));
  const std::string line =
      dry_run ? "Would restore timestamp:\t" + shown + "\t" + format_utc(record.before) + "\n"
              : "Restoring timestamp:\t" + shown + "\n";
  if (!print_out(line)) return outcome::output_failed;
  if (dry_run) return outcome::restored;
  const set_result result = set_write_time(file, record.before);
  if (result.error == 0) return outcome::restored;
  report("cannot restore " + in_quotes(path) + ": " +
         (result.error == error_not_held || result.error == error_not_restored
              ? "the file system does not hold " + format_utc(record.before)
              : error_text(result.error)));
  return outcome::left_alone;
}

}  // namespace

int undo_journal(const std::string& path, bool dry_run) {
  std::ifstream file(to_path(path), std::ios::binary);
  if (!file) {
    report("cannot read the journal " + in_quotes(path) + ": " + std::strerror(errno));
    return 2;
  }
  std::vector<run_folder> runs;
  if (!read_folders(file, path, runs)) return 2;

  std::int64_t records = 0;
  std::int64_t left_alone = 0;
  backward_lines lines = read_backwards(file);
  std::string line;
  std::int64_t offset = 0;
  while (previous_line(lines, line, offset)) {
    const journal_line record = parse_journal_line(line);
    if (record.kind != line_kind::file) continue;
    ++records;
    while (runs.back().offset > offset) runs.pop_back();  // the run this record belongs to
    const std::string full = runs.back().folder + record.path.substr(1);  // "./a" -> "/a"
    const outcome result = undo_one(full, record, dry_run);
    if (result == outcome::output_failed) {
      report_output_failure();
      return 1;
    }
    if (result == outcome::left_alone) ++left_alone;
  }
  if (left_alone > 0) {
    report(std::to_string(left_alone) + " of " + std::to_string(records) +
           " journal records were left alone");
  }
  return left_alone > 0 ? 1 : 0;
}
