#include "app/resolve.hpp"

#include "names/clock_parts.hpp"
#include "names/quoting.hpp"

namespace {

// The line a dry run says first: the zone its names are read in.
std::string zone_line(const typed_options& o, const plan_facts& facts) {
  if (o.tz.starts_with('+') || o.tz.starts_with('-')) return "names are read at UTC" + o.tz;
  if (!o.tz.empty()) return "names are read as local time in " + o.tz;
  if (o.local) {
    return "names are read as local time (" +
           (facts.tz_variable ? "TZ=" + *facts.tz_variable : std::string("the system's zone")) +
           ")";
  }
  if (o.utc) return "names are read as UTC";
  return "names are read as UTC (--local or --tz ZONE reads them in a zone)";
}

// --jobs, or one at a time on a local file system and 16 where each call
// is a round trip; a dry run sets no times.
int jobs_for(const typed_options& o, const plan_facts& facts, std::string& why) {
  if (o.dry_run) {
    why = "a dry run sets no times";
    return 1;
  }
  if (o.jobs != 0) {
    why = "as --jobs says";
    return o.jobs;
  }
  const bool remote = !facts.remote_kind.empty();
  why = remote ? "the folder is on " + facts.remote_kind : "the folder is on a local file system";
  return remote ? 16 : 1;
}

bool leaves_zone_folder(std::string_view name) {
  if (name.starts_with('/') || name.starts_with('\\') || name.starts_with(':')) return true;
  for (std::size_t start = 0; start <= name.size();) {
    const std::size_t end = std::min(name.find_first_of("/\\", start), name.size());
    if (name.substr(start, end - start) == "..") return true;
    start = end + 1;
  }
  return false;
}

std::optional<std::string> read_zone(const typed_options& o, time_rule& rule) {
  rule.local = o.local;
  rule.utc = o.utc;
  if (o.tz.empty()) return std::nullopt;
  if (!o.tz.starts_with('+') && !o.tz.starts_with('-')) {
    // A zone's name, which the session makes the local zone: a name of the
    // zone database, never a path out of it.
    if (leaves_zone_folder(o.tz)) {
      return "--tz " + in_quotes(o.tz) +
             " is no zone's name: a name such as Europe/Berlin stays in the zone database, "
             "with no '..' and no '/' or '\\' first";
    }
    rule.local = true;
    return std::nullopt;
  }
  std::size_t end = 0;
  const std::optional<utc_offset_text> offset = read_utc_offset(o.tz, end);
  if (!offset || end != o.tz.size() || !offset->in_range) {
    return "--tz " + in_quotes(o.tz) + " is no offset from UTC such as +05:30, -0400 or +02";
  }
  rule.fixed_offset = offset->offset;
  return std::nullopt;
}

}  // namespace

std::optional<std::string> resolve_plan(const typed_options& o, const plan_facts& facts,
                                        run_plan& plan) {
  plan.selection = {o.words, o.shift_given, o.front_cut, o.back_cut};
  time_rule& rule = plan.rule;
  if (std::optional<std::string> error = read_zone(o, rule)) return error;
  if (!o.format.empty()) {
    std::string error;
    std::optional<date_pattern> pattern = compile_pattern(o.format, o.date_only, error);
    if (!pattern) return "--format " + in_quotes(o.format) + ": " + error;
    rule.pattern = std::move(*pattern);
  }
  rule.auto_date = o.auto_date;
  rule.seconds = o.seconds;
  rule.date_only = o.date_only;
  rule.shift = o.shift;
  rule.show_read = o.front_cut > 0 || o.back_cut > 0;
  rule.latest_year = facts.this_year + 1;  // epoch milliseconds name no later year
  plan.local_offset = facts.local_offset;
  plan.chain = chain_for(o.takeout);
  plan.recursive = o.recursive;
  plan.dry_run = o.dry_run;
  plan.quiet = o.quiet;
  plan.verbose = o.verbose;
  plan.created = o.created;
  plan.warn_utc = !o.local && !o.utc && o.tz.empty() && !facts.zone_is_utc;
  plan.folder = o.directory.empty() ? "." : o.directory;
  if (!o.dry_run && !o.no_journal) {
    plan.undo_command =
        o.journal.empty() ? "velmora --undo" : "velmora --undo " + in_quotes(o.journal);
  }
  std::string why;
  plan.jobs = jobs_for(o, facts, why);
  plan.notes.clear();
  if (o.dry_run) plan.notes.push_back(zone_line(o, facts));
  if (o.verbose) {
    plan.notes.push_back("stamping " + std::to_string(plan.jobs) +
                         (plan.jobs == 1 ? " file" : " files") + " at once (" + why + ")");
  }
  return std::nullopt;
}
