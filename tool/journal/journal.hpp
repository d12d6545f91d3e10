// The journal a run keeps: the old time of every file it stamps, written
// and synced before the file's time is set, so that every run can be
// undone exactly (undo.hpp).
//
// Calling sequence
// ----------------
//   open_journal        refuses a file that is no journal, or that another
//                       run holds; takes it for this run (a lock), creates
//                       it (its folder synced) or mends its tail: a record
//                       torn by a run that stopped midway is cut off, a
//                       last record without its line end gets one.
//   start_journal_run   appends the run's folder line, synced.
//   add_record ...      queues records in memory;
//   commit_records      writes and syncs them: all or nothing, cut back to
//                       the last whole record when a write fails or stops
//                       short. Only then are those files stamped.
//   close_journal       lets the file go.
// What each failure leaves on disk: before start_journal_run, the journal
// as it was (a new one is left empty, which the next run takes as new);
// after it, whole records only, every one of which may have been stamped.
//
// Errors
// ------
// Each call returns a journal_error: what failed (none when all went well)
// and the errno behind it; describe() says it for a message.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "decide/tick_time.hpp"
#include "system/system.hpp"

enum class journal_problem {
  none,
  not_a_journal,  // the file holds something else: appending would spoil it
  not_a_file,     // a folder, a pipe or a device: never opened to write
  unreadable,     // it cannot be read, so it cannot be shown to be a journal
  cannot_open,
  taken,  // another run is writing to it
  cannot_lock,
  cannot_write,  // a write or a sync failed
  cannot_mend,   // its torn last record could not be cut off
};

struct journal_error {
  journal_problem problem = journal_problem::none;
  int error = 0;  // errno, where there is one
  explicit operator bool() const { return problem != journal_problem::none; }
};

std::string describe(const journal_error& e, const std::string& path);

struct run_journal {
  const system_calls* system = nullptr;
  int descriptor = -1;
  std::string path;
  std::string pending;     // records not yet written
  std::int64_t whole = 0;  // the journal's size up to its last whole record
  bool mended = false;     // a torn last record was cut off: said by the caller
  file_identity identity;  // which file it is: a run never stamps its own journal
};

journal_error open_journal(const system_calls& system, const std::string& path,
                           run_journal& journal);
// Takes the journal at path, open at descriptor, for this run alone,
// without waiting, and says which file it is (held): 0, EWOULDBLOCK when
// another run holds it or has put a new journal in its place since it
// was opened here (a prune), or errno.
int lock_journal(const system_calls& system, const std::string& path, int descriptor,
                 file_identity& held);
// started: when the run began (UTC), which names the run in the journal.
journal_error start_journal_run(run_journal& journal, const std::string& folder,
                                const file_time& started);

// With --created (Windows), created_before is the creation time before
// the run, which the run sets to the same instant. link: the entry is a
// link the run followed.
void add_record(run_journal& journal, std::string_view path, const file_time& before,
                const file_time& set, const std::optional<file_time>& created_before,
                bool link = false);
journal_error commit_records(run_journal& journal);

void close_journal(run_journal& journal);
