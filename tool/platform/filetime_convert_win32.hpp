// Windows' FILETIME, two 32-bit halves of the ticks since 1601, and ours.
#pragma once

#include <windows.h>

#include "decide/tick_time.hpp"

inline FILETIME to_filetime(tick_time t) {
  const auto count = static_cast<std::uint64_t>(t.time_since_epoch().count());
  return {static_cast<DWORD>(count & 0xFFFFFFFFu), static_cast<DWORD>(count >> 32)};
}

inline tick_time from_filetime(const FILETIME& f) {
  return tick_time{ticks{static_cast<std::int64_t>(
      (static_cast<std::uint64_t>(f.dwHighDateTime) << 32) | f.dwLowDateTime)}};
}
