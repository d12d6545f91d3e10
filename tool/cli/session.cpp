#include "cli/session.hpp"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "journal/journal.hpp"
#include "journal/undo.hpp"
#include "platform/console.hpp"
#include "platform/file_system.hpp"
#include "platform/local_zone.hpp"
#include "platform/modified_time.hpp"
#include "platform/paths.hpp"
#include "stamp/run.hpp"

namespace {

bool enter(const std::string& directory) {
  if (directory.empty()) return true;
  std::error_code error;
  std::filesystem::current_path(to_path(directory), error);
  if (error) report("cannot enter " + in_quotes(directory) + ": " + error.message());
  return !error;
}

// The zone that local-time names are read in, checked; --tz with a name
// makes it the local zone.
bool zone_known(const run_options& options) {
  if (!options.tz.empty() && !options.tz_offset) {
    if (const std::optional<std::string> problem = use_zone(options.tz)) {
      report("--tz " + in_quotes(options.tz) + ": " + *problem);
      return false;
    }
    return true;
  }
  if (!options.local) return true;
  const std::optional<std::string> problem = local_zone_problem();
  if (problem) report("cannot read names as local time: " + *problem);
  return !problem;
}

// What a dry run says first: the zone its names are read in.
std::string zone_line(const run_options& options) {
  if (options.tz_offset) return "names are read at UTC" + options.tz;
  if (!options.tz.empty()) return "names are read as local time in " + options.tz;
  if (options.local) {
    const char* tz = std::getenv("TZ");
    return std::string("names are read as local time (") +
           (tz != nullptr ? "TZ=" + std::string(tz) : std::string("the system's zone")) + ")";
  }
  if (options.utc) return "names are read as UTC";
  return "names are read as UTC (--local or --tz ZONE reads them in a zone)";
}

// What the run learns from the clock: the latest year an app's epoch
// milliseconds may name, and whether UTC names need a word.
void read_the_clock(run_options& o) {
  using namespace std::chrono;
  const auto now = system_clock::now();
  o.latest_year = static_cast<int>(year_month_day{floor<days>(now)}.year()) + 1;
  o.warn_utc = !o.local && !o.utc && o.tz.empty() &&
               !zone_is_utc(local_utc_offset, duration_cast<seconds>(now.time_since_epoch()));
}

// The folder the run starts in, as the journal names it.
std::optional<std::string> start_folder() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::current_path(error);
  if (error) {
    report("cannot tell the journal which folder this is: " + error.message());
    return std::nullopt;
  }
  return from_path(folder);
}

// --jobs, or one thread on a local file system and 16 where each call is a
// round trip.
int jobs_for(const run_options& options) {
  std::string kind;
  const bool remote = !options.dry_run && options.jobs == 0 && is_remote_file_system(".", kind);
  const int jobs = options.dry_run ? 1 : options.jobs != 0 ? options.jobs : remote ? 16 : 1;
  if (options.verbose) {
    const std::string why = options.dry_run     ? "a dry run sets no times"
                            : options.jobs != 0 ? "as --jobs says"
                            : remote            ? "the folder is on " + kind
                                                : "the folder is on a local file system";
    report("stamping " + std::to_string(jobs) + (jobs == 1 ? " file" : " files") + " at once (" +
           why + ")");
  }
  return jobs;
}

}  // namespace

int run_session(const run_options& options) {
  if (!options.undo.empty()) return undo_journal(options.undo, options.dry_run);
  // The journal's name is taken from where velmora was started, before
  // --directory; a dry run writes none.
  run_journal journal;
  const bool journaled = !options.journal.empty() && !options.dry_run;
  if (journaled) {
    if (const std::optional<std::string> error = open_journal(options.journal, journal)) {
      report(*error);
      return 2;
    }
    if (!journal.note.empty()) report(journal.note);
  }
  if (!enter(options.directory) || !zone_known(options)) return 2;
  run_options o = options;
  read_the_clock(o);
  if (o.dry_run) report(zone_line(o));
  if (options.created && !set_creation_time_too()) {
    report("--created: this system has no call that sets a file's creation time");
    return 2;
  }
  if (journaled) {
    const std::optional<std::string> folder = start_folder();
    if (!folder) return 2;
    if (const std::optional<std::string> error = start_journal_run(journal, *folder)) {
      report(*error);
      return 2;
    }
  }
  const int status = run(o, journaled ? &journal : nullptr, jobs_for(o));
  close_journal(journal);
  return status;
}
