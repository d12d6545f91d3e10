#include "tool/stamp.hpp"

#include <string>

#include "tool/console.hpp"
#include "tool/decision.hpp"
#include "tool/local_zone.hpp"
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

stamp_result stamp_file(const file_ref& file, std::optional<std::string_view> date_text,
                        const run_options& options) {
  return stamp_decided(file, decide_time(date_text, options, local_utc_offset), options);
}

stamp_result stamp_decided(const file_ref& file, const stamp_decision& decision,
                           const run_options& options) {
  static std::string line;  // reused: no allocation per file
  if (!options.dry_run) {
    line.assign("Setting timestamp:\t").append(file.path).push_back('\n');
    if (!print_out(line)) return stamp_result::output_failed;
  }

  if (!decision.time) return refuse(file, decision.what, decision.why, decision.read);
  const file_time t = platform_precision(*decision.time);

  const set_result result =
      options.dry_run ? set_result{check_write_time(file), std::nullopt} : set_write_time(file, t);
  if (result.error != 0) return refuse(file, cannot_set, why_not_set(result, t));

  if (options.dry_run) {
    line.assign("Would set timestamp:\t").append(file.path).push_back('\t');
    line.append(format_utc(t)).push_back('\n');
    if (!print_out(line)) return stamp_result::output_failed;
  }
  return stamp_result::stamped;
}
