#include "names/date_prefixed.hpp"

#include <chrono>

#include "names/scan.hpp"

std::optional<found_part> take_epoch_milliseconds(std::string_view text) {
  for (const std::string_view prefix : {"mmexport", "wx_camera_", "FB_IMG_"}) {
    if (!text.starts_with(prefix) || digit_run(text, prefix.size()) != 13) continue;
    std::int64_t ms = 0;
    for (std::size_t i = prefix.size(); i < prefix.size() + 13; ++i) ms = ms * 10 + (text[i] - '0');
    using namespace std::chrono;
    const sys_time<milliseconds> moment{milliseconds{ms}};
    const sys_days day = floor<days>(moment);
    const year_month_day date{day};
    const hh_mm_ss<milliseconds> time{moment - day};
    found_part f;
    f.time = {static_cast<int>(date.year()),
              static_cast<int>(static_cast<unsigned>(date.month())),
              static_cast<int>(static_cast<unsigned>(date.day())),
              static_cast<int>(time.hours().count()),
              static_cast<int>(time.minutes().count()),
              static_cast<int>(time.seconds().count()),
              static_cast<int>(time.subseconds().count()) * 1'000'000};
    f.end = prefix.size() + 13;
    if (f.time.year < 2000) return std::nullopt;
    return f;
  }
  return std::nullopt;
}
