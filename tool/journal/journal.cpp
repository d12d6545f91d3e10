#include "journal/journal.hpp"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "journal/journal_text.hpp"
#include "platform/console.hpp"
#include "platform/durable.hpp"
#include "platform/paths.hpp"

namespace {

std::string cannot(std::string_view what, const std::string& path, int error) {
  return std::string(what) + in_quotes(path) + ": " + std::strerror(error);
}

// The longest line a journal holds: two times and a path of escaped bytes.
constexpr std::size_t longest_line = 1 << 16;

// A journal whose last line has no line end was left by a run that
// stopped midway (a full disk, a kill): a whole record gets its line end,
// a torn one is cut off. Its file was never stamped: a file is stamped
// only once its record is on the disk.
std::optional<std::string> mend_tail(run_journal& journal) {
  std::string tail;
  if (const int error = read_end(journal.path, longest_line, tail)) {
    return cannot("cannot read the journal ", journal.path, error);
  }
  if (tail.empty() || tail.back() == '\n') return std::nullopt;
  const std::size_t newline = tail.rfind('\n');
  const std::string_view last =
      std::string_view(tail).substr(newline == std::string::npos ? 0 : newline + 1);
  const line_kind kind = parse_journal_line(last).kind;
  if (kind == line_kind::file || kind == line_kind::folder) {
    journal.pending.push_back('\n');  // pending is empty: nothing is written yet
    return std::nullopt;
  }
  journal.whole -= static_cast<std::int64_t>(last.size());
  if (const int error = cut_back(journal.descriptor, journal.whole)) {
    return cannot("cannot cut the torn last record off the journal ", journal.path, error);
  }
  journal.note = "the journal " + in_quotes(journal.path) +
                 " ended in a torn record, left by a run that stopped midway; it is cut off";
  return std::nullopt;
}

}  // namespace

std::optional<std::string> open_journal(const std::string& path, run_journal& journal) {
  journal.path = path;
  // Appending to anything but a journal (a photo, say) would spoil it, and
  // a file that cannot be read cannot be shown to be one. A device or a
  // pipe is not read: its write will tell.
  std::error_code ignored;
  const bool regular = std::filesystem::is_regular_file(to_path(path), ignored);
  std::string start;
  if (regular) {
    if (const int error = read_start(path, journal_magic.size() + 1, start)) {
      return cannot("cannot read the journal ", path, error) +
             " (a journal must be readable, to be shown to be one)";
    }
  }
  const bool empty = start.empty();
  if (!empty && start != std::string(journal_magic) + "\n") {
    return "cannot use " + in_quotes(path) + " as a journal: it is not a velmora journal";
  }
  bool created = false;
  if (const int error = open_appending(path, journal.descriptor, created)) {
    return cannot("cannot open the journal ", path, error);
  }
  if (const int error = lock_for_appending(journal.descriptor)) {
    if (error == EWOULDBLOCK) {
      return "cannot use " + in_quotes(path) + " as a journal: another run is writing to it";
    }
    return cannot("cannot lock the journal ", path, error);
  }
  if (created) {
    if (const int error = sync_folder_of(path))
      return cannot("cannot sync the folder of ", path, error);
  }
  if (const int error = size_of(journal.descriptor, journal.whole)) {
    return cannot("cannot read the journal ", path, error);
  }
  if (empty) {
    journal.pending = std::string(journal_magic) + "\n";
  } else if (regular) {
    if (std::optional<std::string> error = mend_tail(journal)) return error;
  }
  return std::nullopt;
}

std::optional<std::string> start_journal_run(run_journal& journal, const std::string& folder) {
  journal.pending += folder_line(folder);
  if (const int error = commit_records(journal)) {
    return cannot("cannot write the journal ", journal.path, error);
  }
  return std::nullopt;
}

void add_record(run_journal& journal, std::string_view path, const file_time& before,
                const file_time& set, const std::optional<file_time>& created_before) {
  append_file_line(journal.pending, path, before, set, created_before);
  ++journal.pending_records;
}

int commit_records(run_journal& journal) {
  int error = append_text(journal.descriptor, journal.pending);
  if (error == 0) error = sync_to_disk(journal.descriptor);
  if (error == 0) {
    journal.whole += static_cast<std::int64_t>(journal.pending.size());
  } else if (cut_back(journal.descriptor, journal.whole) == 0) {
    sync_to_disk(journal.descriptor);  // the cut, best effort: the error is what is reported
  }
  journal.pending.clear();
  journal.pending_records = 0;
  return error;
}

void close_journal(run_journal& journal) {
  if (journal.descriptor >= 0) close_appending(journal.descriptor);
  journal.descriptor = -1;
}
