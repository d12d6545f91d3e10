#include "journal/journal.hpp"

#include <cerrno>

#include "journal/journal_reading.hpp"
#include "journal/journal_text.hpp"

namespace {

journal_error fail(journal_problem problem, int error) {
  return {problem, error};
}

// A journal whose last line has no line end was left by a run that
// stopped midway (a full disk, a kill): a whole record gets its line end,
// a torn one, of any length, is cut off. Its file was never stamped: a
// file is stamped only once its record is on the disk.
journal_error mend_tail(run_journal& journal) {
  journal_reader reader{*journal.system, journal.descriptor, journal.whole};
  std::string last;
  std::int64_t at = 0;
  if (const int error = last_line(reader, last, at))
    return fail(journal_problem::unreadable, error);
  if (at + static_cast<std::int64_t>(last.size()) < journal.whole) return {};  // it ends in '\n'
  const line_kind kind = parse_journal_line(last).kind;
  if (kind == line_kind::file || kind == line_kind::folder) {
    journal.pending.push_back('\n');  // pending is empty: nothing is written yet
    return {};
  }
  journal.whole = at;
  if (const int error = journal.system->cut_back(journal.descriptor, journal.whole)) {
    return fail(journal_problem::cannot_mend, error);
  }
  journal.mended = true;
  return {};
}

// Whether the file at path begins as a journal does, or is empty (new).
journal_error check_start(const system_calls& system, const std::string& path, bool& empty) {
  int descriptor = -1;
  const int error = system.open_reading(path, descriptor);
  empty = error == ENOENT;
  if (empty) return {};
  // A folder, a pipe or a device is no journal: it is never written to.
  if (error == ENODEV) return fail(journal_problem::not_a_file, 0);
  if (error != 0) return fail(journal_problem::unreadable, error);
  std::string start;
  const int read = system.read_at(descriptor, 0, journal_magic.size() + 1, start);
  system.close(descriptor);
  if (read != 0) return fail(journal_problem::unreadable, read);
  empty = start.empty();
  if (!empty && start != std::string(journal_magic) + "\n") {
    return fail(journal_problem::not_a_journal, 0);
  }
  return {};
}

}  // namespace

int lock_journal(const system_calls& system, const std::string& path, int descriptor,
                 file_identity& held) {
  if (const int error = system.lock(descriptor)) return error;
  // The lock a pruning run let go of may be taken here on the old file,
  // after the new one took its place: that run holds the journal.
  file_identity named;
  int now = -1;
  if (const int error = system.identify(descriptor, held)) return error;
  if (const int error = system.open_reading(path, now)) return error;
  const int error = system.identify(now, named);
  system.close(now);
  return error != 0 ? error : held == named ? 0 : EWOULDBLOCK;
}

journal_error open_journal(const system_calls& system, const std::string& path,
                           run_journal& journal) {
  journal.system = &system;
  journal.path = path;
  bool empty = false;
  if (const journal_error e = check_start(system, path, empty)) return e;
  bool created = false;
  if (const int error = system.open_appending(path, journal.descriptor, created)) {
    if (error == ENODEV) return fail(journal_problem::not_a_file, 0);  // swapped since the check
    return fail(journal_problem::cannot_open, error);
  }
  if (const int error = lock_journal(system, path, journal.descriptor, journal.identity)) {
    return fail(error == EWOULDBLOCK ? journal_problem::taken : journal_problem::cannot_lock,
                error == EWOULDBLOCK ? 0 : error);
  }
  if (created) {
    if (const int error = system.sync_folder_of(path)) {
      return fail(journal_problem::cannot_write, error);
    }
  }
  if (const int error = system.size_of(journal.descriptor, journal.whole)) {
    return fail(journal_problem::unreadable, error);
  }
  if (journal.whole == 0) {
    journal.pending = std::string(journal_magic) + "\n";
    return {};
  }
  return mend_tail(journal);
}

journal_error start_journal_run(run_journal& journal, const std::string& folder,
                                const file_time& started) {
  journal.pending += folder_line(folder, started);
  return commit_records(journal);
}

void add_record(run_journal& journal, std::string_view path, const file_time& before,
                const file_time& set, const std::optional<file_time>& created_before, bool link) {
  append_file_line(journal.pending, path, before, set, created_before, link);
}

journal_error commit_records(run_journal& journal) {
  const system_calls& system = *journal.system;
  int error = system.append(journal.descriptor, journal.pending);
  if (error == 0) error = system.sync(journal.descriptor);
  if (error == 0) {
    journal.whole += static_cast<std::int64_t>(journal.pending.size());
  } else if (system.cut_back(journal.descriptor, journal.whole) == 0) {
    system.sync(journal.descriptor);  // the cut, best effort: the error is what is reported
  }
  journal.pending.clear();
  return error == 0 ? journal_error{} : fail(journal_problem::cannot_write, error);
}

void close_journal(run_journal& journal) {
  if (journal.descriptor >= 0) journal.system->close(journal.descriptor);
  journal.descriptor = -1;
}
