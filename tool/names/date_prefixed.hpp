// Shapes that a known prefix names: what --auto reads before it looks
// for a date and a time anywhere in the name.
#pragma once

#include "names/date_auto_parts.hpp"

// Milliseconds since 1970 behind a prefix that apps write them behind:
// 'mmexport', 'wx_camera_' (WeChat), 'FB_IMG_' (Facebook); 13 digits, read
// as a UTC calendar time from 2000 on.
std::optional<found_part> take_epoch_milliseconds(std::string_view text);

// Telegram Desktop's export: 'photo_1@03-07-2022_03-37-57' (also video_,
// audio_, file_), day first, a local time. Only the prefix and its '@' make
// a day-first date safe to read.
std::optional<found_part> take_telegram_export(std::string_view text);
