#include "app/session.hpp"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "journal/undo.hpp"
#include "platform/console.hpp"
#include "platform/file_system.hpp"
#include "platform/local_zone.hpp"
#include "platform/modified_time.hpp"
#include "platform/paths.hpp"
#include "platform/real_system.hpp"
#include "run/run.hpp"

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
bool zone_known(const typed_options& o, const run_plan& plan) {
  if (!o.tz.empty() && !plan.rule.fixed_offset) {
    if (const std::optional<std::string> problem = use_zone(o.tz)) {
      report("--tz " + in_quotes(o.tz) + ": " + *problem);
      return false;
    }
    return true;
  }
  if (!o.local) return true;
  const std::optional<std::string> problem = local_zone_problem();
  if (problem) report("cannot read names as local time: " + *problem);
  return !problem;
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

int journaled_run(const typed_options& o, const run_plan& plan) {
  // The journal's name is taken from where velmora was started, before
  // --directory.
  run_journal journal;
  if (const journal_error error = open_journal(real_system(), o.journal, journal)) {
    report(describe(error, o.journal));
    close_journal(journal);
    return 2;
  }
  if (journal.mended) {
    report("the journal " + in_quotes(o.journal) +
           " ended in a torn record, left by a run that stopped midway; it is cut off");
  }
  int status = 2;
  if (enter(o.directory) && zone_known(o, plan)) {
    if (o.created && !set_creation_time_too()) {
      report("--created: this system has no call that sets a file's creation time");
    } else if (const std::optional<std::string> folder = start_folder()) {
      if (const journal_error error = start_journal_run(journal, *folder)) {
        report(describe(error, o.journal));
      } else {
        status = run_tree(plan, real_system(), console_output(), &journal);
      }
    }
  }
  close_journal(journal);
  return status;
}

}  // namespace

plan_facts gather_facts(const typed_options& o) {
  using namespace std::chrono;
  plan_facts facts;
  const auto now = system_clock::now();
  facts.this_year = static_cast<int>(year_month_day{floor<days>(now)}.year());
  facts.local_offset = local_utc_offset;
  // Read only when no zone is named: --tz with a name changes the zone.
  if (!o.local && !o.utc && o.tz.empty()) {
    facts.zone_is_utc =
        zone_is_utc(local_utc_offset, duration_cast<seconds>(now.time_since_epoch()));
  }
  if (const char* tz = std::getenv("TZ")) facts.tz_variable = tz;
  if (!o.dry_run && o.jobs == 0) {
    is_remote_file_system(o.directory.empty() ? "." : o.directory.c_str(), facts.remote_kind);
  }
  return facts;
}

int run_session(const typed_options& o, const run_plan& plan) {
  if (!o.undo.empty()) return undo_journal(o.undo, o.dry_run, real_system(), console_output());
  if (!o.journal.empty() && !o.dry_run) return journaled_run(o, plan);
  if (!enter(o.directory) || !zone_known(o, plan)) return 2;
  if (o.created && !set_creation_time_too()) {
    report("--created: this system has no call that sets a file's creation time");
    return 2;
  }
  return run_tree(plan, real_system(), console_output());
}
