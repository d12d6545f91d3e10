#include "metadata/capture_time.hpp"

#include <algorithm>
#include <array>

#include "names/clock_parts.hpp"
#include "names/scan.hpp"

namespace {

// Digits of exactly count at text[at].
bool digits_at(std::string_view text, std::size_t at, std::size_t count) {
  return at + count <= text.size() && digit_run(text, at) >= count;
}

// "YYYY?MM?DD?HH:MM[:SS]", the date joined by date_joint and the time
// after between. Moves at past it.
std::optional<calendar_time> read_date_time(std::string_view text, char date_joint, char between,
                                            std::size_t& at) {
  if (!digits_at(text, 0, 4) || text.size() < 16 || text[4] != date_joint ||
      !digits_at(text, 5, 2) || text[7] != date_joint || !digits_at(text, 8, 2) ||
      text[10] != between || !digits_at(text, 11, 2) || text[13] != ':' ||
      !digits_at(text, 14, 2)) {
    return std::nullopt;
  }
  calendar_time t{number_at(text, 0, 4),
                  number_at(text, 5, 2),
                  number_at(text, 8, 2),
                  number_at(text, 11, 2),
                  number_at(text, 14, 2),
                  0,
                  0};
  at = 16;
  if (at + 3 <= text.size() && text[at] == ':' && digits_at(text, at + 1, 2)) {
    t.second = number_at(text, at + 1, 2);
    at += 3;
  }
  return t;
}

// A real date and time: never a blank one, "0000:00:00", or a day that
// does not exist.
std::optional<capture_time> checked(const calendar_time& t) {
  if (check_calendar(t) != date_fault::none) return std::nullopt;
  return capture_time{t, std::nullopt, false, {}};
}

std::optional<std::chrono::minutes> offset_of(std::string_view text) {
  std::size_t at = 0;
  const std::optional<utc_offset_text> offset = read_utc_offset(text, at, false);
  if (!offset || at != text.size() || !offset->in_range) return std::nullopt;
  return offset->offset;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.remove_suffix(1);
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

}  // namespace

std::optional<capture_time> read_exif_date(std::string_view date, std::string_view subseconds,
                                           std::string_view offset) {
  date = trimmed(date);
  std::size_t at = 0;
  const std::optional<calendar_time> t = read_date_time(date, ':', ' ', at);
  if (!t || at != date.size()) return std::nullopt;
  std::optional<capture_time> found = checked(*t);
  if (!found) return std::nullopt;
  subseconds = trimmed(subseconds);
  const std::size_t fraction = digit_run(subseconds, 0);
  if (fraction > 0 && fraction == subseconds.size()) {
    found->time.nanosecond = fraction_at(subseconds, 0, std::min<std::size_t>(fraction, 9));
  }
  found->offset = offset_of(trimmed(offset));
  return found;
}

std::optional<capture_time> read_xmp_date(std::string_view date) {
  date = trimmed(date);
  std::size_t at = 0;
  const std::optional<calendar_time> t = read_date_time(date, '-', 'T', at);
  if (!t) return std::nullopt;  // a date alone is no time
  std::optional<capture_time> found = checked(*t);
  if (!found) return std::nullopt;
  if (at < date.size() && date[at] == '.') {
    const std::size_t fraction = digit_run(date, at + 1);
    if (fraction == 0) return std::nullopt;
    found->time.nanosecond = fraction_at(date, at + 1, std::min<std::size_t>(fraction, 9));
    at += 1 + fraction;
  }
  if (at < date.size()) {
    found->offset = offset_of(date.substr(at));
    if (!found->offset) return std::nullopt;
  }
  return found;
}

std::optional<capture_time> movie_time(std::uint64_t since_1904) {
  // 0, 1904-01-01, is no time written; past year 9999 is none either.
  if (since_1904 == 0 || since_1904 > 400'000'000'000ULL) return std::nullopt;
  using namespace std::chrono;
  constexpr sys_days epoch_1904 = sys_days{year{1904} / January / 1};
  const sys_seconds moment = epoch_1904 + seconds{static_cast<long long>(since_1904)};
  const sys_days day = floor<days>(moment);
  const year_month_day date{day};
  const hh_mm_ss<std::chrono::seconds> time{moment - day};
  std::optional<capture_time> found = checked(
      {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
       static_cast<int>(static_cast<unsigned>(date.day())), static_cast<int>(time.hours().count()),
       static_cast<int>(time.minutes().count()), static_cast<int>(time.seconds().count()), 0});
  if (found) {
    found->utc = true;
    found->tag = "QuickTime:CreateDate";
  }
  return found;
}

std::optional<capture_time> video_time(const std::optional<std::string>& creation_date,
                                       std::optional<std::uint64_t> since_1904) {
  if (creation_date) {
    if (std::optional<capture_time> found = read_xmp_date(*creation_date)) {
      found->tag = "QuickTime:CreationDate";
      return found;
    }
  }
  return since_1904 ? movie_time(*since_1904) : std::nullopt;
}

std::optional<capture_time> find_capture_time(metadata_kind kind, const tag_lookup& lookup) {
  const auto value = [&](std::string_view key) { return lookup(key).value_or(std::string()); };
  const auto tagged = [](std::optional<capture_time> found, std::string_view tag) {
    if (found) found->tag = tag;
    return found;
  };
  if (kind == metadata_kind::photo) {
    for (const auto& [date, sub, offset] :
         {std::array<std::string_view, 3>{"Exif.Photo.DateTimeOriginal",
                                          "Exif.Photo.SubSecTimeOriginal",
                                          "Exif.Photo.OffsetTimeOriginal"},
          std::array<std::string_view, 3>{"Exif.Photo.DateTimeDigitized",
                                          "Exif.Photo.SubSecTimeDigitized",
                                          "Exif.Photo.OffsetTimeDigitized"}}) {
      const std::optional<std::string> text = lookup(date);
      if (!text) continue;
      if (std::optional<capture_time> found = read_exif_date(*text, value(sub), value(offset))) {
        return tagged(std::move(found), date);
      }
    }
  }
  for (const std::string_view key :
       {"Xmp.exif.DateTimeOriginal", "Xmp.xmp.CreateDate", "Xmp.photoshop.DateCreated"}) {
    const std::optional<std::string> text = lookup(key);
    if (!text) continue;
    if (std::optional<capture_time> found = read_xmp_date(*text))
      return tagged(std::move(found), key);
  }
  return std::nullopt;
}
