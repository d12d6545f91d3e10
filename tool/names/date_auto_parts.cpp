#include "names/date_auto_parts.hpp"

#include "names/characters.hpp"
#include "names/scan.hpp"

namespace {

// Hour and minute, and the seconds with a fraction where there are some:
// '134012', '1340', '123456789' (12:34:56.789), or joined by one of
// ".-_:" as in '13.40.17' or '2.59.39' (a one-digit hour).
std::optional<found_part> take_time(std::string_view text, std::size_t at) {
  found_part f;
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
    f.joint = joint;
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
  // A fraction after a dot ('122802.881926'), or milliseconds after a dash
  // where dashes join the time ('12-00-00-123', as Android's screenshots).
  const std::size_t fraction_run = digit_run(text, end + 1);
  const bool dotted = end < text.size() && text[end] == '.' && fraction_run <= 9;
  const bool dashed = end < text.size() && text[end] == '-' && f.joint == '-' && fraction_run == 3;
  if (seconds && f.time.nanosecond == 0 && fraction_run >= 1 && (dotted || dashed)) {
    f.time.nanosecond = fraction_at(text, end + 1, fraction_run);
    end += 1 + fraction_run;
  }
  f.end = end;
  return f;
}

// A time after a mark of Chinese, Japanese or Korean, or without one.
std::optional<found_part> take_marked_time(std::string_view text, std::size_t at) {
  const day_half half = mark_before(text, at);
  std::optional<found_part> time = take_time(text, at);
  if (time) time->half = half;
  return time;
}

// A dotted time after ' um ', ' à ', ' a las ', ' kl. ' at text[at]: a
// blank, one to three words of one to four letters of any script (a dot
// may end each), each followed by a blank.
std::optional<found_part> take_connected_time(std::string_view text, std::size_t at) {
  if (at >= text.size() || text[at] != ' ') return std::nullopt;
  ++at;
  for (int words = 1; words <= 3; ++words) {
    std::size_t letters = 0;
    while (at < text.size() && letters <= 4) {
      const std::size_t length = character_length(text.substr(at));
      if (length == 1 && !is_letter(text[at])) break;
      at += length;
      ++letters;
    }
    if (letters == 0 || letters > 4) return std::nullopt;
    if (at < text.size() && text[at] == '.') ++at;
    if (at >= text.size() || text[at] != ' ') return std::nullopt;
    ++at;
    std::optional<found_part> time = take_marked_time(text, at);
    if (time && time->joint == '.') return time;
  }
  return std::nullopt;
}

}  // namespace

std::optional<found_part> take_date(std::string_view text, std::size_t at, bool& run_together) {
  found_part f;
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

std::optional<found_part> take_time_after(std::string_view text, const found_part& date,
                                          bool run_together) {
  if (digit_at(text, date.end)) {
    // Only a date run together runs on into its time: 'DJI_20210727151458'.
    return run_together ? take_time(text, date.end) : std::nullopt;
  }
  for (const std::string_view joint : {" at ", " ", "_", "-", "T"}) {
    if (!text.substr(date.end).starts_with(joint)) continue;
    if (std::optional<found_part> time = take_marked_time(text, date.end + joint.size())) {
      time->iso = joint == "T";
      return time;
    }
  }
  // A connector in any language, before a dotted time only.
  return take_connected_time(text, date.end);
}
