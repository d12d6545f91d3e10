#include <ctime>

#include "tool/local_zone.hpp"

std::optional<std::int64_t> local_utc_offset(std::int64_t unix_seconds) {
  static const bool zone_read = (tzset(), true);  // TZ is read once per run
  static_cast<void>(zone_read);
  const auto t = static_cast<time_t>(unix_seconds);
  struct tm local;
  if (localtime_r(&t, &local) == nullptr) return std::nullopt;
  return local.tm_gmtoff;
}
