#include "decide/decision.hpp"

#include "names/date_auto.hpp"
#include "names/date_pattern.hpp"
#include "names/date_text.hpp"

namespace {

stamp_decision refuse(std::string_view what, std::string why,
                      std::optional<std::string_view> read = std::nullopt) {
  return {std::nullopt, what, std::move(why),
          read ? std::optional<std::string>(*read) : std::nullopt};
}

date_reading read_date(std::string_view text, const time_rule& options) {
  if (options.auto_date) return find_date_time(text);
  if (!options.pattern.empty()) return read_with_pattern(text, options.pattern);
  return read_date_text(text, options.seconds, options.date_only);
}

std::optional<tick_time> named_time(const date_reading& reading, const time_rule& options,
                                    utc_offset_fn local_offset) {
  // A name with an offset names one instant: the zone plays no part.
  if (reading.offset) {
    const std::optional<tick_time> t = to_ticks(reading.time);
    return t ? shift_ticks(*t, -*reading.offset) : std::nullopt;
  }
  return options.local ? local_to_ticks(reading.time, local_offset) : to_ticks(reading.time);
}

}  // namespace

stamp_decision decide_time(std::optional<std::string_view> date_text, const time_rule& options,
                           utc_offset_fn local_offset) {
  if (!date_text) return refuse(cannot_read, "the front cut is longer than the name");
  date_reading reading = read_date(*date_text, options);
  if (options.date_only && date_without_time(reading)) reading.fault = date_fault::none;
  if (reading.fault != date_fault::none) {
    // After a cut, say what was read, so that the right cut is easy to find.
    return refuse(cannot_read, std::string(describe(reading.fault)),
                  options.show_read ? date_text : std::nullopt);
  }
  const std::optional<tick_time> named = named_time(reading, options, local_offset);
  if (!named) {
    if (reading.offset) return refuse(cannot_set, "the time falls outside the years 1601 to 30827");
    return refuse(cannot_read, "the local time zone cannot place that time");
  }
  const std::optional<tick_time> t = shift_ticks(*named, options.shift);
  if (!t) return refuse(cannot_set, "the shifted time falls outside the years 1601 to 30827");
  return {file_time{*t, reading.time.nanosecond % 100}, {}, {}, std::nullopt};
}
