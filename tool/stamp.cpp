#include "tool/stamp.hpp"

#include <string>

#include "tool/console.hpp"
#include "tool/decision.hpp"
#include "tool/set_time.hpp"

namespace {

stamp_result refuse(const file_ref& file, std::string_view what, std::string_view why,
                    std::optional<std::string_view> read = std::nullopt) {
  std::string message(what);
  message.append(in_quotes(file.path));
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
      return "it is a directory";
    default:
      return error_text(result.error);
  }
}

}  // namespace

bool announce(const file_ref& file, const run_options& options) {
  if (options.dry_run) return true;  // a dry run says what it would set, after the check
  static std::string line;           // reused: no allocation per file
  line.assign("Setting timestamp:\t").append(file.path).push_back('\n');
  return print_out(line);
}

set_result apply(const file_ref& file, const stamp_decision& decision, const run_options& options,
                 bool verify) {
  if (!decision.time) return {};
  if (options.dry_run) return {check_write_time(file), std::nullopt};
  return set_write_time(file, platform_precision(*decision.time), platform_time_access, verify);
}

stamp_result conclude(const file_ref& file, const stamp_decision& decision,
                      const set_result& result, const run_options& options) {
  if (!decision.time) {
    return refuse(file, decision.what, decision.why,
                  decision.read ? std::optional<std::string_view>(*decision.read) : std::nullopt);
  }
  const file_time t = platform_precision(*decision.time);
  if (result.error != 0) return refuse(file, cannot_set, why_not_set(result, t));
  if (options.dry_run && !commonly_held(t.tick)) {
    report(in_quotes(file.path) + ": " + format_utc(t) +
           " lies outside 1980 to 2038, which not every file system holds; a real run checks "
           "it when written");
  }
  if (options.dry_run) {
    static std::string line;
    line.assign("Would set timestamp:\t").append(file.path).push_back('\t');
    line.append(format_utc(t)).push_back('\n');
    if (!print_out(line)) return stamp_result::output_failed;
  }
  return stamp_result::stamped;
}
