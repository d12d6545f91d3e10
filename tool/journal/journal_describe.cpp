// What a journal error says, in words, for a message.
#include <cstring>

#include "journal/journal.hpp"
#include "names/quoting.hpp"

std::string describe(const journal_error& e, const std::string& path) {
  const std::string why = e.error != 0 ? std::string(": ") + std::strerror(e.error) : "";
  switch (e.problem) {
    case journal_problem::none:
      return {};
    case journal_problem::not_a_journal:
      return "cannot use " + in_quotes(path) + " as a journal: it is not a velmora journal";
    case journal_problem::not_a_file:
      return "cannot use " + in_quotes(path) + " as a journal: it is not a regular file";
    case journal_problem::unreadable:
      return "cannot read the journal " + in_quotes(path) + why +
             " (a journal must be readable, to be shown to be one)";
    case journal_problem::cannot_open:
      return "cannot open the journal " + in_quotes(path) + why;
    case journal_problem::taken:
      return "cannot use " + in_quotes(path) + " as a journal: another run is writing to it";
    case journal_problem::cannot_lock:
      return "cannot lock the journal " + in_quotes(path) + why;
    case journal_problem::cannot_write:
      return "cannot write the journal " + in_quotes(path) + why;
    case journal_problem::cannot_mend:
      return "cannot cut the torn last record off the journal " + in_quotes(path) + why;
  }
  return {};
}
