// The system's local time zone.
#pragma once

#include <chrono>
#include <optional>
#include <string>

// The offset of local time from UTC at the given moment (the time since
// 1970-01-01 UTC), by the rules of the system's zone; nullopt when the
// system cannot tell.
std::optional<std::chrono::seconds> local_utc_offset(std::chrono::seconds unix_time);

// Why the local zone cannot be used (a TZ setting that names no zone the
// system has, which the C library would take for UTC in silence), or
// nullopt when it can.
std::optional<std::string> local_zone_problem();

// Makes the zone of that name (--tz) the local zone; why it cannot be
// used, or nullopt. Windows has no zone database: there it never can.
std::optional<std::string> use_zone(const std::string& name);
