#include <windows.h>

#include "platform/filetime_convert_win32.hpp"
#include "platform/local_zone.hpp"

std::optional<std::chrono::seconds> local_utc_offset(std::chrono::seconds unix_time) {
  const std::optional<tick_time> moment = shift_ticks(unix_epoch, unix_time);
  if (!moment) return std::nullopt;
  const FILETIME utc_file = to_filetime(*moment);
  SYSTEMTIME utc;
  SYSTEMTIME local;
  FILETIME local_file;
  if (!FileTimeToSystemTime(&utc_file, &utc) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) ||
      !SystemTimeToFileTime(&local, &local_file)) {
    return std::nullopt;
  }
  return std::chrono::duration_cast<std::chrono::seconds>(from_filetime(local_file) - *moment);
}

// Windows keeps its zone in the system's settings, which always name one.
std::optional<std::string> local_zone_problem() {
  return std::nullopt;
}

std::optional<std::string> use_zone(const std::string& name) {
  return "Windows has no zone database to read " + name +
         " from; --tz takes a fixed offset there, such as +05:30";
}
