#include "app/session.hpp"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "app/journal_choice.hpp"
#include "journal/undo.hpp"
#include "platform/console.hpp"
#include "platform/file_system.hpp"
#include "platform/local_zone.hpp"
#include "platform/modified_time.hpp"
#include "platform/paths.hpp"
#include "platform/process.hpp"
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

// Everything a run needs before its folder is listed, then the run.
int prepared_run(const typed_options& o, const run_plan& plan, run_journal* journal) {
  if (!enter(o.directory) || !zone_known(o, plan)) return 2;
  if (o.created) set_creation_time_too();  // settable: the plan was resolved
  if (journal != nullptr) {
    const std::optional<std::string> folder = start_folder();
    if (!folder) return 2;
    if (const journal_error error = start_journal_run(*journal, *folder, starting_time())) {
      report(describe(error, journal->path));
      return 2;
    }
  }
  watch_interrupts();
  return run_tree(plan, real_system(), console_output(), journal);
}

int undo(const typed_options& o) {
  const std::optional<std::string> path = journal_to_undo(o);
  if (!path) return 2;
  std::error_code missing;
  if (o.undo_file.empty() && !std::filesystem::exists(to_path(*path), missing)) {
    report("there is nothing to undo: no run has kept its journal in " + in_quotes(*path) + " yet");
    return 0;
  }
  const undo_request request{*path, o.undo_file.empty(), o.dry_run, o.list};
  return undo_journal(request, real_system(), console_output());
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
  facts.creation_time_settable = creation_time_settable();
  if (!o.dry_run && o.jobs == 0) {
    is_remote_file_system(o.directory.empty() ? "." : o.directory.c_str(), facts.remote_kind);
  }
  return facts;
}

int run_session(const typed_options& o, const run_plan& plan) {
  if (o.undo) return undo(o);
  if (journal_for(o) == journal_use::none) return prepared_run(o, plan, nullptr);
  run_journal journal;
  if (!open_run_journal(o, journal)) return 2;
  const int status = prepared_run(o, plan, &journal);
  close_journal(journal);
  return status;
}
