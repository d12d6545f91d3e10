// Which journal a session keeps or undoes: the default one (kept in the
// user's state folder, pruned), the one --journal names, or none.
#pragma once

#include <optional>
#include <string>

#include "cli/arguments.hpp"
#include "journal/journal.hpp"

enum class journal_use { none, named, kept_by_default };

journal_use journal_for(const typed_options& typed);

// Opens the journal a run keeps, said on standard error when it cannot be:
// false then, with nothing touched.
bool open_run_journal(const typed_options& typed, run_journal& journal);

// The journal an --undo reads: FILE, or the default one; nullopt, said,
// when there is none.
std::optional<std::string> journal_to_undo(const typed_options& typed);

// The moment the run starts, which names it in the journal.
file_time starting_time();
