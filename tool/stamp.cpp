#include "tool/stamp.hpp"

#include <string>

#include "tool/console.hpp"
#include "tool/date_text.hpp"
#include "tool/local_zone.hpp"

namespace {

stamp_result refuse(const file_ref& file, std::string_view what, std::string_view why,
                    std::optional<std::string_view> read = std::nullopt) {
  std::string message(what);
  message.append(quoted(file.path));
  if (read) message.append(" (read ").append(quoted(*read)).append(")");
  message.append(": ").append(why);
  report(message);
  return stamp_result::not_stamped;
}

constexpr std::string_view cannot_read = "cannot read a date from ";
constexpr std::string_view cannot_set = "cannot set the time of ";

}  // namespace

stamp_result stamp_file(const file_ref& file, std::optional<std::string_view> date_text,
                        const run_options& options) {
  static std::string line;  // reused: no allocation per file
  if (!options.dry_run) {
    line.assign("Setting timestamp:\t").append(file.path).push_back('\n');
    if (!print_out(line)) return stamp_result::output_failed;
  }

  if (!date_text) return refuse(file, cannot_read, "the front cut is longer than the name");
  const date_reading reading = read_date_text(*date_text, options.seconds);
  if (reading.fault != date_fault::none) {
    // After a cut, say what was read, so that the right cut is easy to find.
    const bool cut = options.front_cut > 0 || options.back_cut > 0;
    return refuse(file, cannot_read, describe(reading.fault), cut ? date_text : std::nullopt);
  }
  const std::optional<tick_time> named =
      options.local ? local_to_ticks(reading.time, local_utc_offset) : to_ticks(reading.time);
  if (!named) return refuse(file, cannot_read, "the local time zone cannot place that time");
  const std::optional<tick_time> t = shift_ticks(*named, options.shift);
  if (!t) return refuse(file, cannot_set, "the shifted time falls outside the years 1601 to 30828");

  const int error = options.dry_run ? check_write_time(file) : set_write_time(file, *t);
  if (error == error_not_held) {
    return refuse(file, cannot_set,
                  "the file system cannot hold " + format_utc(*t) + "; its time is unchanged");
  }
  if (error == error_is_directory) return refuse(file, cannot_set, "it is a directory");
  if (error != 0) return refuse(file, cannot_set, error_text(error));

  if (options.dry_run) {
    line.assign("Would set timestamp:\t").append(file.path).push_back('\t');
    line.append(format_utc(*t)).push_back('\n');
    if (!print_out(line)) return stamp_result::output_failed;
  }
  return stamp_result::stamped;
}
