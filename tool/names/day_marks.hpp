// The marks of a 12-hour clock, wherever a name writes them: AM or PM
// after the time, and the marks of Chinese, Japanese and Korean, which
// stand before the time or after it.
#pragma once

#include <cstddef>
#include <string_view>

enum class day_half { none, am, pm, unreadable };

// After the time at text[at]: nothing, or a run of blanks (space, U+00A0,
// U+202F, U+2009) or '_', then AM, PM, a.m. or p.m. in any case and no
// letter after it, or one of 上午 下午 午前 午後 오전 오후. A mark that stands
// there after anything else ('-PM') is unreadable: the name is left alone
// rather than read on a 24-hour clock. end moves past a mark read.
day_half mark_after(std::string_view text, std::size_t at, std::size_t& end);

// One of the marks of those scripts at text[at], and blanks after it,
// before a time; at moves past them.
day_half mark_before(std::string_view text, std::size_t& at);
