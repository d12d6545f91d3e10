#include "takeout/sidecar_decision.hpp"

#include "names/quoting.hpp"

namespace {

// Seconds since 1970 that a tick time holds: 1601 up to the largest tick.
constexpr std::int64_t earliest_seconds = -11'644'473'600;
constexpr std::int64_t latest_seconds = (max_tick_time - unix_epoch).count() / ticks::period::den;

}  // namespace

std::string_view describe(sidecar_fault fault) {
  switch (fault) {
    case sidecar_fault::none:
      return "";
    case sidecar_fault::not_json:
      return "is not a JSON object";
    case sidecar_fault::no_taken_time:
      return "has no photoTakenTime.timestamp";
    case sidecar_fault::bad_taken_time:
      return "has a photoTakenTime.timestamp that is not a whole number of seconds";
    case sidecar_fault::twice:
      return "gives its taken time or its title twice";
    case sidecar_fault::bad_title:
      return "has a title that is not a string";
    case sidecar_fault::no_date:
      return "gives no date (its taken time is 0, Takeout's word for none)";
  }
  return "";
}

stamp_decision sidecar_decision(const sidecar_reading& reading, std::string_view sidecar,
                                const time_rule& rule) {
  const auto refuse = [&](refusal what, std::string_view why) {
    std::string message("its sidecar ");
    message.append(in_quotes(sidecar)).append(" ").append(why);
    return stamp_decision{std::nullopt, what, std::move(message), std::nullopt,
                          zone_basis::sidecar};
  };
  if (reading.fault != sidecar_fault::none)
    return refuse(refusal::no_date, describe(reading.fault));
  if (reading.taken < earliest_seconds || reading.taken > latest_seconds) {
    return refuse(refusal::out_of_range, "gives a time outside the years 1601 to 30827");
  }
  const std::optional<tick_time> t =
      shift_ticks(unix_epoch + std::chrono::seconds{reading.taken}, rule.shift);
  if (!t)
    return refuse(refusal::out_of_range, "gives a time that the shift takes outside 1601 to 30827");
  return {file_time{*t, 0}, refusal::none, {}, std::nullopt, zone_basis::sidecar};
}
