#include "app/resolve.hpp"

#include "app/zone_words.hpp"
#include "names/quoting.hpp"

namespace {

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

}  // namespace

std::optional<std::string> resolve_plan(const typed_options& o, const plan_facts& facts,
                                        run_plan& plan) {
  if (o.created && !facts.creation_time_settable) {
    return std::string(
        "--created: this system has no call that sets a file's creation time "
        "(Windows has one; Linux keeps a birth time that nothing may set)");
  }
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
  plan.chain = chain_for(o.takeout, o.exif);
  rule.video_local = o.video_local;
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
  // Said before the first file, so that a time that looks right in the
  // wrong zone is caught before it is set: by a dry run first, by a real
  // run as it announces its first file, unless --utc said UTC is meant.
  if (o.dry_run) plan.notes.push_back(zone_line(o, rule, facts));
  if (!o.dry_run && !o.quiet && !o.utc) plan.zone_note = zone_line(o, rule, facts);
  plan.zone_said = zone_said(o, rule, facts);
  if (o.verbose) {
    plan.notes.push_back("stamping " + std::to_string(plan.jobs) +
                         (plan.jobs == 1 ? " file" : " files") + " at once (" + why + ")");
  }
  return std::nullopt;
}
