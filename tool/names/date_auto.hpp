// Finding a date and time wherever it stands in a name, in the shapes that
// phones, cameras and apps write: 'IMG_20100910_134012', 'PXL_20230101_
// 123456789', 'Screenshot 2022-02-23 at 2.59.39 PM', '20220522_122802.881926
// -0400', '2010-09-10 13.40.17-1'.
#pragma once

#include <string_view>

#include "names/date_reading.hpp"

// The first date-time in text (see the README for the shapes). A date
// with no time after it reads with fault no_time, and only when the text
// holds no date-time at all. A date-time is taken only where no digit
// stands right before it or right after it. Its calendar is checked, never
// mended: the first date-time found is the one, valid or not.
date_reading find_date_time(std::string_view text);
