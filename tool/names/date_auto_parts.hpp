// The parts --auto reads a name's date and time from, one at a time.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "names/calendar.hpp"
#include "names/day_marks.hpp"

struct found_part {
  calendar_time time;
  std::size_t end = 0;             // just past what was read
  day_half half = day_half::none;  // a mark before the time (上午, 오후)
  char joint = '\0';               // what joins hour, minute and second; '\0' run together
  bool iso = false;                // the date and the time are joined by 'T'
};

// Year, month and day: '20100910', or '2010-09-10' with the same one of
// "-_." both times.
std::optional<found_part> take_date(std::string_view text, std::size_t at, bool& run_together);

// The time that follows a date: right after it (a date run together only),
// after one of " at ", " ", "_", "-", "T", or after a connector of a few
// short words before a dotted time ('um', 'à', 'a las', 'kl.'); a mark of
// Chinese, Japanese or Korean may stand before the time.
std::optional<found_part> take_time_after(std::string_view text, const found_part& date,
                                          bool run_together);
