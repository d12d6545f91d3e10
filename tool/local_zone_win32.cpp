#include <windows.h>

#include "tool/local_zone.hpp"
#include "tool/tick_time.hpp"

std::optional<std::int64_t> local_utc_offset(std::int64_t unix_seconds) {
  const std::int64_t ticks = unix_epoch_ticks + unix_seconds * ticks_per_second;
  if (ticks < 0) return std::nullopt;
  const FILETIME utc_file{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME utc;
  SYSTEMTIME local;
  FILETIME local_file;
  if (!FileTimeToSystemTime(&utc_file, &utc) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) ||
      !SystemTimeToFileTime(&local, &local_file)) {
    return std::nullopt;
  }
  const auto local_ticks = static_cast<std::int64_t>(
      (static_cast<std::uint64_t>(local_file.dwHighDateTime) << 32) | local_file.dwLowDateTime);
  return (local_ticks - ticks) / ticks_per_second;
}

// Windows keeps its zone in the system's settings, which always name one.
std::optional<std::string> local_zone_problem() {
  return std::nullopt;
}
