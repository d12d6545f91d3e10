#include "decide/decision.hpp"

#include "names/date_auto.hpp"
#include "names/date_pattern.hpp"
#include "names/date_text.hpp"

namespace {

stamp_decision refuse(refusal what, std::string why,
                      std::optional<std::string_view> read = std::nullopt) {
  return {std::nullopt, what, std::move(why),
          read ? std::optional<std::string>(*read) : std::nullopt, zone_basis::utc_by_default};
}

date_reading read_date(std::string_view text, const time_rule& options) {
  if (options.auto_date) return find_date_time(text);
  if (!options.pattern.empty()) return read_with_pattern(text, options.pattern);
  return read_date_text(text, options.seconds, options.date_only);
}

std::optional<tick_time> in_utc(const calendar_time& c, std::chrono::minutes offset) {
  const std::optional<tick_time> t = to_ticks(c);
  return t ? shift_ticks(*t, -offset) : std::nullopt;
}

// Where the name's time stands: a shape that names an instant or writes
// UTC keeps it; local-time shapes go to the zone the command line names.
zone_basis basis_of(const date_reading& reading, const time_rule& rule) {
  if (reading.offset) return zone_basis::instant;
  if (reading.utc_shape) return zone_basis::utc_shape;
  if (rule.fixed_offset) return zone_basis::fixed;
  if (rule.local) return zone_basis::local;
  return rule.utc ? zone_basis::utc : zone_basis::utc_by_default;
}

std::optional<tick_time> named_time(const date_reading& reading, zone_basis basis,
                                    const time_rule& rule, utc_offset_fn local_offset) {
  switch (basis) {
    case zone_basis::instant:
      return in_utc(reading.time, *reading.offset);
    case zone_basis::fixed:
      return in_utc(reading.time, *rule.fixed_offset);
    case zone_basis::local:
      return local_to_ticks(reading.time, local_offset);
    default:
      return to_ticks(reading.time);
  }
}

}  // namespace

stamp_decision decide_time(std::optional<std::string_view> date_text, const time_rule& options,
                           utc_offset_fn local_offset) {
  if (!date_text) return refuse(refusal::no_date, "the front cut is longer than the name");
  date_reading reading = read_date(*date_text, options);
  if (options.date_only && date_without_time(reading)) {
    // A time that was not read is no reason to stamp midnight.
    if (time_like_after(*date_text, reading.end)) {
      return refuse(refusal::no_date,
                    "a time follows the date in a form velmora does not read; left alone rather "
                    "than stamped at 00:00",
                    options.show_read ? date_text : std::nullopt);
    }
    reading.fault = date_fault::none;
  }
  if (reading.fault == date_fault::no_time && time_like_after(*date_text, reading.end)) {
    return refuse(refusal::no_date, "a date, and a time in a form velmora does not read",
                  options.show_read ? date_text : std::nullopt);
  }
  if (reading.epoch && reading.time.year > options.latest_year) {
    return refuse(refusal::no_date, "the number after the prefix is no date: it names the year " +
                                        std::to_string(reading.time.year));
  }
  if (reading.fault != date_fault::none) {
    // After a cut, say what was read, so that the right cut is easy to find.
    stamp_decision refused = refuse(refusal::no_date, std::string(describe(reading.fault)),
                                    options.show_read ? date_text : std::nullopt);
    refused.auto_reads = !options.auto_date && options.pattern.empty() &&
                         find_date_time(*date_text).fault == date_fault::none;
    return refused;
  }
  return decide_read_time(reading, options, local_offset);
}

stamp_decision decide_read_time(const date_reading& reading, const time_rule& options,
                                utc_offset_fn local_offset) {
  const zone_basis basis = basis_of(reading, options);
  const std::optional<tick_time> named = named_time(reading, basis, options, local_offset);
  if (!named) {
    if (basis != zone_basis::local) {
      return refuse(refusal::out_of_range, "the time falls outside the years 1601 to 30827");
    }
    return refuse(refusal::no_date, "the local time zone cannot place that time");
  }
  const std::optional<tick_time> t = shift_ticks(*named, options.shift);
  if (!t)
    return refuse(refusal::out_of_range, "the shifted time falls outside the years 1601 to 30827");
  return {file_time{*t, reading.time.nanosecond % 100}, refusal::none, {}, std::nullopt, basis};
}

std::string_view describe(zone_basis basis) {
  switch (basis) {
    case zone_basis::utc_by_default:
      return "read as UTC, as no zone was named";
    case zone_basis::utc:
      return "read as UTC";
    case zone_basis::local:
      return "read as local time";
    case zone_basis::fixed:
      return "read at the offset --tz names";
    case zone_basis::utc_shape:
      return "read as UTC, which this shape writes";
    case zone_basis::instant:
      return "an instant, by its offset from UTC";
    case zone_basis::sidecar:
      return "the instant its sidecar gives";
  }
  return "";
}
