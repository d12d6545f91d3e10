#include "names/date_auto.hpp"

#include "names/clock_parts.hpp"
#include "names/scan.hpp"

namespace {

constexpr std::string_view narrow_no_break_space = "\xE2\x80\xAF";

struct found {
  calendar_time time;
  std::size_t end = 0;  // just past what was read
};

// Hour and minute, and the seconds with a fraction where there are some:
// '134012', '1340', '123456789' (12:34:56.789), or joined by one of
// ".-_:" as in '13.40.17' or '2.59.39' (a one-digit hour).
std::optional<found> take_time(std::string_view text, std::size_t at) {
  found f;
  const std::size_t run = digit_run(text, at);
  std::size_t end = at + run;
  bool seconds = false;
  if (run == 4 || (run >= 6 && run <= 15)) {
    f.time.hour = number_at(text, at, 2);
    f.time.minute = number_at(text, at + 2, 2);
    if (run >= 6) f.time.second = number_at(text, at + 4, 2);
    if (run > 6) f.time.nanosecond = fraction_at(text, at + 6, run - 6);
    seconds = run >= 6;
  } else if (run == 1 || run == 2) {
    const char joint = at + run < text.size() ? text[at + run] : '\0';
    if (joint != '.' && joint != '-' && joint != '_' && joint != ':') return std::nullopt;
    if (digit_run(text, at + run + 1) != 2) return std::nullopt;
    f.time.hour = number_at(text, at, run);
    f.time.minute = number_at(text, at + run + 1, 2);
    end = at + run + 3;
    const std::size_t second_run = digit_run(text, end + 1);
    if (end < text.size() && text[end] == joint && second_run >= 2 && second_run <= 11) {
      f.time.second = number_at(text, end + 1, 2);
      if (second_run > 2) f.time.nanosecond = fraction_at(text, end + 3, second_run - 2);
      end += 1 + second_run;
      seconds = true;
    }
  } else {
    return std::nullopt;
  }
  // A fraction after a dot: '122802.881926'.
  const std::size_t fraction_run = digit_run(text, end + 1);
  if (seconds && f.time.nanosecond == 0 && end < text.size() && text[end] == '.' &&
      fraction_run >= 1 && fraction_run <= 9) {
    f.time.nanosecond = fraction_at(text, end + 1, fraction_run);
    end += 1 + fraction_run;
  }
  f.end = end;
  return f;
}

// ' PM', '\u202fAM' or 'pm' after the time: true for PM, false for AM.
std::optional<bool> take_am_pm(std::string_view text, std::size_t at) {
  if (text.substr(at).starts_with(' ')) {
    at += 1;
  } else if (text.substr(at).starts_with(narrow_no_break_space)) {
    at += narrow_no_break_space.size();
  }
  if (at + 1 >= text.size() || (text[at + 1] != 'M' && text[at + 1] != 'm')) return std::nullopt;
  if (at + 2 < text.size() && is_letter(text[at + 2])) return std::nullopt;
  if (text[at] == 'A' || text[at] == 'a') return false;
  if (text[at] == 'P' || text[at] == 'p') return true;
  return std::nullopt;
}

// Year, month and day: '20100910', or '2010-09-10' with the same one of
// "-_." both times.
std::optional<found> take_date(std::string_view text, std::size_t at, bool& run_together) {
  found f;
  const std::size_t run = digit_run(text, at);
  run_together = run >= 8;
  if (run_together) {
    f.end = at + 8;
    f.time = {number_at(text, at, 4), number_at(text, at + 4, 2), number_at(text, at + 6, 2)};
    return f;
  }
  if (run != 4 || at + 4 >= text.size()) return std::nullopt;
  const char joint = text[at + 4];
  if ((joint != '-' && joint != '_' && joint != '.') || digit_run(text, at + 5) != 2 ||
      at + 7 >= text.size() || text[at + 7] != joint || digit_run(text, at + 8) != 2) {
    return std::nullopt;
  }
  f.end = at + 10;
  f.time = {number_at(text, at, 4), number_at(text, at + 5, 2), number_at(text, at + 8, 2)};
  return f;
}

// The time that follows a date, after nothing or one of the joints.
std::optional<found> take_time_after(std::string_view text, const found& date, bool run_together) {
  if (digit_at(text, date.end)) {
    // Only a date run together runs on into its time: 'DJI_20210727151458'.
    return run_together ? take_time(text, date.end) : std::nullopt;
  }
  for (const std::string_view joint : {" at ", " ", "_", "-", "T"}) {
    if (!text.substr(date.end).starts_with(joint)) continue;
    if (std::optional<found> time = take_time(text, date.end + joint.size())) return time;
  }
  return std::nullopt;
}

}  // namespace

date_reading find_date_time(std::string_view text) {
  std::optional<calendar_time> first_date;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (!is_digit(text[at]) || (at > 0 && is_digit(text[at - 1]))) continue;
    bool run_together = false;
    const std::optional<found> date = take_date(text, at, run_together);
    if (!date) continue;
    const std::optional<found> time = take_time_after(text, *date, run_together);
    if (!time) {
      if (!first_date && !digit_at(text, date->end)) first_date = date->time;
      continue;
    }
    date_reading reading;
    calendar_time& t = reading.time;
    t = {date->time.year,   date->time.month,  date->time.day,       time->time.hour,
         time->time.minute, time->time.second, time->time.nanosecond};
    std::size_t end = time->end;
    const std::optional<utc_offset_text> offset = read_utc_offset(text, end);
    if (offset) reading.offset = offset->offset;
    if (const std::optional<bool> pm = take_am_pm(text, end); pm && !from_12_hour(t, *pm)) {
      reading.fault = date_fault::hour;
      return reading;
    }
    reading.fault = check_calendar(t);
    if (reading.fault == date_fault::none && offset && !offset->in_range) {
      reading.fault = date_fault::offset;
    }
    return reading;
  }
  date_reading reading;
  reading.fault = date_fault::no_shape;
  if (first_date) {
    reading.time = *first_date;
    const date_fault fault = check_calendar(reading.time);
    reading.fault = fault == date_fault::none ? date_fault::no_time : fault;
  }
  return reading;
}
