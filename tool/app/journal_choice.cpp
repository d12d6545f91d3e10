#include "app/journal_choice.hpp"

#include <chrono>

#include "journal/journal_prune.hpp"
#include "platform/console.hpp"
#include "platform/real_system.hpp"
#include "platform/state_folder.hpp"

namespace {

constexpr std::string_view without_one =
    "; --no-journal runs without one (nothing can then be undone)";

}  // namespace

journal_use journal_for(const typed_options& o) {
  if (o.dry_run || o.no_journal) return journal_use::none;
  return o.journal.empty() ? journal_use::kept_by_default : journal_use::named;
}

bool open_run_journal(const typed_options& o, run_journal& journal) {
  const bool by_default = journal_for(o) == journal_use::kept_by_default;
  std::string path = o.journal;
  if (by_default) {
    std::string problem;
    const std::optional<std::string> kept = default_journal(problem);
    if (!kept) {
      report("cannot keep the journal: " + problem + std::string(without_one));
      return false;
    }
    path = *kept;
  }
  // The journal's name is taken from where velmora was started, before
  // --directory.
  journal_error error = open_journal(real_system(), path, journal);
  if (!error && by_default) error = prune_journal(journal, journal_limits{});
  if (error) {
    report(describe(error, path) + (by_default ? std::string(without_one) : ""));
    close_journal(journal);
    return false;
  }
  if (journal.mended) {
    report("the journal " + in_quotes(path) +
           " ended in a torn record, left by a run that stopped midway; it is cut off");
  }
  return true;
}

std::optional<std::string> journal_to_undo(const typed_options& o) {
  if (!o.undo_file.empty()) return o.undo_file;
  std::string problem;
  const std::optional<std::string> kept = default_journal(problem);
  if (!kept) report("cannot find the journal to undo: " + problem);
  return kept;
}

file_time starting_time() {
  using namespace std::chrono;
  const nanoseconds since = duration_cast<nanoseconds>(system_clock::now().time_since_epoch());
  return {unix_epoch + duration_cast<ticks>(since), static_cast<int>(since.count() % 100)};
}
