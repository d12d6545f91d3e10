#include "run/report_run.hpp"

#include <cstring>

#include "names/quoting.hpp"

void say_put_back(run_state& run, const put_back& name, const set_result& result) {
  const bool back = result.fate == set_fate::set || result.fate == set_fate::rounded;
  say(run.output, in_quotes(name.path) + " is one file with " + in_quotes(name.other) +
                      ", whose name gives another time: " +
                      (back ? "it is put back to its old time, " + format_utc(name.before)
                            : "its old time could not be put back (" +
                                  run.system.error_text(result.error) + ")") +
                      ", and both are left alone");
}

void say_output_failed(run_state& run, int error) {
  say(run.output, std::string("cannot write to standard output: ") + std::strerror(error));
}

void say_read_only(run_state& run) {
  say(run.output, "the file system is read-only: the run stops here");
}

void say_folder_fault(run_state& run, std::string_view what, int error) {
  // The folder's path is the walk's path without its trailing "/".
  const std::string& path = run.walk.path;
  const std::string_view folder(path.data(), path.size() - 1);
  say(run.output, std::string(what) + in_quotes(folder) + ": " + std::strerror(error));
}

void say_journal_failed(run_state& run, const journal_error& error) {
  say(run.output,
      describe(error, run.hand.journal->path) + "; stopped before the files it did not record");
}

void say_workers(run_state& run, int started, int wanted, const std::string& why) {
  say(run.output, "could start " + std::to_string(started) + " of " + std::to_string(wanted) +
                      " workers (" + why + "); going on with " +
                      (started > 0 ? std::to_string(started) : "one thread"));
}
