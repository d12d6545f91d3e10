// Telling whether a TZ setting names a time zone.
#pragma once

#include <string_view>

// Whether text is a time zone rule in the POSIX form that needs no zone
// file: a name of three or more letters (or one in <>), an offset from UTC,
// and optionally a summer time name, its offset and the rules of change
// ("CET-1CEST,M3.5.0,M10.5.0/3", "UTC0", "<+0530>-5:30").
bool is_posix_zone_rule(std::string_view text);
