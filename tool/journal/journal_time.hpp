// A time in the journal's text: UTC to the nanosecond, in the shape
// "2010-09-10T13:40:00.000000000Z" (a five-digit year where one is needed).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "decide/tick_time.hpp"

std::string format_journal_time(const file_time& t);
void append_journal_time(std::string& text, const file_time& t);
std::optional<file_time> parse_journal_time(std::string_view text);
