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

std::optional<found_part> take_telegram_export(std::string_view text) {
  for (const std::string_view prefix : {"photo_", "video_", "audio_", "file_"}) {
    if (!text.starts_with(prefix)) continue;
    std::size_t at = prefix.size();
    const std::size_t count = digit_run(text, at);
    at += count;
    if (count == 0 || at >= text.size() || text[at] != '@') return std::nullopt;
    ++at;
    // DD-MM-YYYY_HH-MM-SS: each field its width, each joint in its place.
    constexpr std::string_view form = "00-00-0000_00-00-00";
    if (text.size() - at < form.size()) return std::nullopt;
    for (std::size_t i = 0; i < form.size(); ++i) {
      if (form[i] == '0' ? !is_digit(text[at + i]) : text[at + i] != form[i]) return std::nullopt;
    }
    if (digit_at(text, at + form.size())) return std::nullopt;
    found_part f;
    f.time = {number_at(text, at + 6, 4),  number_at(text, at + 3, 2),
              number_at(text, at, 2),      number_at(text, at + 11, 2),
              number_at(text, at + 14, 2), number_at(text, at + 17, 2)};
    f.end = at + form.size();
    return f;
  }
  return std::nullopt;
}
