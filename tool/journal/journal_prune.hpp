// The default journal does not grow without end: before a run begins, if
// it holds 100 runs or more than 64 MiB, the oldest whole runs are dropped
// until, with the run about to begin, 75 runs are kept, in at most 48 MiB
// (the copy is then made once in many runs). The run being written is
// never dropped (it may pass 64 MiB by itself). The kept runs are written to a
// new file, synced, and put in the journal's place at once, so that a
// crash leaves the old journal or the new one, never half of one.
#pragma once

#include <cstdint>

#include "journal/journal.hpp"

struct journal_limits {
  std::size_t runs = 100;
  std::int64_t bytes = std::int64_t{64} << 20;
};

// With the journal open and held by this run: drops what is past the
// limits; the journal then holds the new file, held. Errors as journal.hpp.
journal_error prune_journal(run_journal& journal, const journal_limits& limits);
