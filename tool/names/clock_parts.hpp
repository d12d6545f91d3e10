// The parts of a time that every reader reads alike: an offset from UTC,
// and the 12-hour clock.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string_view>

#include "names/calendar.hpp"

struct utc_offset_text {
  std::chrono::minutes offset{0};
  bool in_range = true;  // hours 0 to 23, minutes 0 to 59
};

// 'Z' (not followed by a letter), '+HHMM' or '+HH:MM' (two digits each, or
// '-'), and with hours_alone '+HH' too, at text[at]; moves at past it.
// nullopt when none stands there.
std::optional<utc_offset_text> read_utc_offset(std::string_view text, std::size_t& at,
                                               bool hours_alone = true);

// Turns a 12-hour clock's hour (1 to 12) into the 24-hour one: 12 AM is
// 00, 12 PM is 12. false when the hour is not 1 to 12.
bool from_12_hour(calendar_time& time, bool pm);
