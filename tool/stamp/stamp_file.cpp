#include "stamp/stamp_file.hpp"

#include "platform/console.hpp"

namespace {

stamp_result refuse(const std::string& path, std::string_view what, std::string_view why,
                    std::optional<std::string_view> read = std::nullopt) {
  std::string message(what);
  message.append(in_quotes(path));
  if (read) message.append(" (read ").append(in_quotes(*read)).append(")");
  message.append(": ").append(why);
  report(message);
  return stamp_result::not_stamped;
}

std::string why_not_set(const set_result& result, const file_time& t) {
  switch (result.error) {
    case error_not_held:
      if (result.now && *result.now != t) {
        return "the file system cannot hold " + format_utc(t) + " (it kept " +
               format_utc(*result.now) + "); its time is unchanged";
      }
      return "the file system cannot hold " + format_utc(t) + "; its time is unchanged";
    case error_not_restored:
      return "the file system cannot hold " + format_utc(t) +
             (result.now ? "; its time is now " + format_utc(*result.now)
                         : "; its old time could not be put back");
    case error_is_directory:
      return "it is a folder";
    default:
      return error_text(result.error);
  }
}

}  // namespace

bool announce(const stamp_job& job, const run_options& options, std::string& line) {
  if (options.dry_run || options.quiet) return true;  // a dry run says it after the check
  std::string quoted;
  line.assign("Setting timestamp:\t").append(shown_path(job.path, quoted)).push_back('\n');
  return print_out(line);
}

void apply(stamp_job& job, const run_options& options) {
  const stamp_decision& decision = job.decision;
  if (!decision.time) {
    job.result = {};
  } else if (options.dry_run) {
    // What a real run would meet, and the time the file has now.
    job.result = {check_write_time(file_of(job)), std::nullopt};
    file_time now;
    if (job.result.error == 0 && read_modified_time(file_of(job), now) == 0) job.result.now = now;
  } else {
    job.result = set_write_time(file_of(job), platform_precision(*decision.time),
                                platform_time_access, job.verify);
  }
}

stamp_result report_outcome(const stamp_job& job, const run_options& options, std::string& line) {
  const stamp_decision& decision = job.decision;
  const std::string& path = job.path;
  if (!decision.time) {
    return refuse(path, decision.what, decision.why,
                  decision.read ? std::optional<std::string_view>(*decision.read) : std::nullopt);
  }
  const file_time t = platform_precision(*decision.time);
  if (job.result.error != 0) return refuse(path, cannot_set, why_not_set(job.result, t));
  if (!options.dry_run || options.quiet) return stamp_result::stamped;
  if (!commonly_held(t.tick)) {
    report(in_quotes(path) + ": " + format_utc(t) +
           " lies outside 1980 to 2038, which not every file system holds; a real run checks "
           "it when written");
  }
  std::string quoted;
  line.assign("Would set timestamp:\t").append(shown_path(path, quoted)).push_back('\t');
  line.append(format_utc(t));
  if (job.result.now) {
    line.append("\t").append(format_utc(*job.result.now)).append("\t");
    line.append(format_change(*job.result.now, t));
  } else if (options.takeout) {
    line.append("\t\t");  // the fields stay in their places
  }
  // With --takeout, where the time came from: its sidecar, or its name.
  if (options.takeout) {
    line.push_back('\t');
    line.append(job.source.empty() ? "name" : shown_path(job.source, quoted));
  }
  line.push_back('\n');
  return print_out(line) ? stamp_result::stamped : stamp_result::output_failed;
}
