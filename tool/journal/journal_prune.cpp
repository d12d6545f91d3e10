#include "journal/journal_prune.hpp"

#include <algorithm>
#include <cerrno>

#include "journal/journal_check.hpp"
#include "journal/journal_text.hpp"

namespace {

journal_error fail(journal_problem problem, int error) {
  return {problem, error};
}

// Where the first run kept begins, or 0 when every run is kept. Within
// the limits nothing is dropped; past one, the oldest runs go until, with
// the run about to begin, three quarters of each is left, so that a full
// journal is copied once in many runs, not before every run.
std::int64_t cut_at(const checked_journal& checked, std::int64_t size,
                    const journal_limits& limits) {
  const std::vector<run_folder>& runs = checked.runs;
  if (runs.size() < limits.runs && size <= limits.bytes) return 0;
  const std::size_t runs_left = std::max<std::size_t>(limits.runs / 4 * 3, 1);
  const std::int64_t bytes_left = limits.bytes / 4 * 3;
  std::size_t first = runs.size() >= runs_left ? runs.size() - (runs_left - 1) : 0;
  while (first < runs.size() && size - runs[first].offset > bytes_left) ++first;
  return first == 0 ? 0 : first < runs.size() ? runs[first].offset : size;
}

// Writes the journal's first line and what follows from to a new file,
// synced, and leaves it open in copy (-1 on an error).
int copy_tail(const system_calls& system, int from_descriptor, std::int64_t from, std::int64_t size,
              const std::string& path, int& copy) {
  bool created = false;
  int error = system.open_appending(path, copy, created);
  if (error == 0) error = system.cut_back(copy, 0);  // a copy a crash left behind
  if (error == 0) error = system.append(copy, std::string(journal_magic) + "\n");
  std::string piece;
  for (std::int64_t at = from; error == 0 && at < size;) {
    error =
        system.read_at(from_descriptor, at,
                       static_cast<std::size_t>(std::min<std::int64_t>(size - at, 1 << 20)), piece);
    if (error == 0 && piece.empty()) error = EIO;
    if (error == 0) error = system.append(copy, piece);
    at += static_cast<std::int64_t>(piece.size());
  }
  if (error == 0) error = system.sync(copy);
  if (error != 0 && copy >= 0) {
    system.close(copy);
    copy = -1;
  }
  return error;
}

}  // namespace

journal_error prune_journal(run_journal& journal, const journal_limits& limits) {
  const system_calls& system = *journal.system;
  // What opening it mended goes in first (a last line end, or the first line).
  if (!journal.pending.empty()) {
    if (const journal_error error = commit_records(journal)) return error;
  }
  checked_journal checked;
  const journal_reader reader{system, journal.descriptor, journal.whole};
  if (!check_journal(reader, journal.path, checked).empty()) {
    return fail(journal_problem::not_a_journal, 0);
  }
  const std::int64_t cut = cut_at(checked, journal.whole, limits);
  if (cut == 0) return {};
  const std::string path = journal.path + ".new";
  int copy = -1;
  if (const int error = copy_tail(system, journal.descriptor, cut, journal.whole, path, copy)) {
    return fail(journal_problem::cannot_write, error);
  }
  // This run goes on in the new file, held before the old one is let go:
  // after it is replaced, or, where open files cannot be replaced
  // (Windows), just before, when another run that opened the old one
  // meanwhile makes the replace fail.
  const int held = system.lock(copy);
  if (!system.replaces_open_files) close_journal(journal);
  const int replaced = held == 0 ? system.replace(path, journal.path) : 0;
  close_journal(journal);
  journal.descriptor = copy;
  if (held != 0) {
    return fail(held == EWOULDBLOCK ? journal_problem::taken : journal_problem::cannot_lock,
                held == EWOULDBLOCK ? 0 : held);
  }
  if (replaced != 0) return fail(journal_problem::cannot_write, replaced);
  system.sync_folder_of(journal.path);
  if (const int error = system.size_of(journal.descriptor, journal.whole)) {
    return fail(journal_problem::unreadable, error);
  }
  if (const int error = system.identify(journal.descriptor, journal.identity)) {
    return fail(journal_problem::unreadable, error);
  }
  journal.pending.clear();
  return {};
}
