#include "names/date_auto.hpp"

#include "names/clock_parts.hpp"
#include "names/date_auto_parts.hpp"
#include "names/date_prefixed.hpp"
#include "names/scan.hpp"

namespace {

// An offset after the time: right after it, or after one blank. '+05',
// hours alone, only in the ISO form, where nothing else would write it.
std::optional<utc_offset_text> take_offset(std::string_view text, std::size_t& end, bool iso) {
  std::size_t at = end;
  std::optional<utc_offset_text> offset = read_utc_offset(text, at, iso);
  if (!offset && end < text.size() && text[end] == ' ') {
    at = end + 1;
    offset = read_utc_offset(text, at, false);
    if (offset && at == end + 2) offset.reset();  // ' Z' is a word, not UTC
  }
  if (offset) end = at;
  return offset;
}

// The time that a date and a time name, with their offset and 12-hour mark.
date_reading read_found(std::string_view text, const found_part& date, const found_part& time) {
  date_reading reading;
  calendar_time& t = reading.time;
  t = {date.time.year,   date.time.month,  date.time.day,       time.time.hour,
       time.time.minute, time.time.second, time.time.nanosecond};
  std::size_t end = time.end;
  const std::optional<utc_offset_text> offset = take_offset(text, end, time.iso);
  if (offset) reading.offset = offset->offset;
  day_half half = time.half;
  if (half == day_half::none) half = mark_after(text, end, end);
  reading.end = end;
  if (half == day_half::unreadable) {
    reading.fault = date_fault::day_half;
    return reading;
  }
  if (half != day_half::none && !from_12_hour(t, half == day_half::pm)) {
    reading.fault = date_fault::hour;
    return reading;
  }
  reading.fault = check_calendar(t);
  if (reading.fault == date_fault::none && offset && !offset->in_range) {
    reading.fault = date_fault::offset;
  }
  return reading;
}

}  // namespace

date_reading find_date_time(std::string_view text) {
  if (const std::optional<found_part> epoch = take_epoch_milliseconds(text)) {
    date_reading reading;
    reading.time = epoch->time;
    reading.offset = std::chrono::minutes{0};
    reading.epoch = true;
    reading.end = epoch->end;
    reading.fault = check_calendar(reading.time);
    return reading;
  }
  if (const std::optional<found_part> telegram = take_telegram_export(text)) {
    date_reading reading;
    reading.time = telegram->time;
    reading.end = telegram->end;
    reading.fault = check_calendar(reading.time);
    return reading;
  }
  std::optional<date_reading> first_date;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (!is_digit(text[at]) || (at > 0 && is_digit(text[at - 1]))) continue;
    bool run_together = false;
    const std::optional<found_part> date = take_date(text, at, run_together);
    if (!date) continue;
    const std::optional<found_part> time = take_time_after(text, *date, run_together);
    if (!time) {
      if (!first_date && !digit_at(text, date->end)) {
        first_date.emplace();
        first_date->time = date->time;
        first_date->end = date->end;
      }
      continue;
    }
    date_reading reading = read_found(text, *date, *time);
    // Pixel phones write UTC in their names, and Zoom says so ('GMT20210304-101522').
    reading.utc_shape = text.substr(0, at).ends_with("PXL_") || text.substr(0, at).ends_with("GMT");
    return reading;
  }
  date_reading reading;
  reading.fault = date_fault::no_shape;
  if (first_date) {
    reading = *first_date;
    const date_fault fault = check_calendar(reading.time);
    reading.fault = fault == date_fault::none ? date_fault::no_time : fault;
  }
  return reading;
}
