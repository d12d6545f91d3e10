// The system's local time zone.
#pragma once

#include <cstdint>
#include <optional>

// The offset of local time from UTC, in seconds, at the given moment
// (seconds since 1970-01-01 UTC), by the rules of the system's zone;
// nullopt when the system cannot tell.
std::optional<std::int64_t> local_utc_offset(std::int64_t unix_seconds);
