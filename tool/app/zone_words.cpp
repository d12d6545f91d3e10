#include "app/zone_words.hpp"

#include "names/clock_parts.hpp"
#include "names/quoting.hpp"
#include "names/scan.hpp"

namespace {

bool leaves_zone_folder(std::string_view name) {
  if (name.starts_with('/') || name.starts_with('\\') || name.starts_with(':')) return true;
  for (std::size_t start = 0; start <= name.size();) {
    const std::size_t end = std::min(name.find_first_of("/\\", start), name.size());
    if (name.substr(start, end - start) == "..") return true;
    start = end + 1;
  }
  return false;
}

bool starts_with_word(std::string_view text, std::string_view word) {
  if (text.size() < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if ((text[i] | 0x20) != (word[i] | 0x20)) return false;
  }
  return true;
}

// An offset after its sign, the hour with one digit or two: '+2', '-03:30',
// '+0530'. nullopt when it is none in range.
std::optional<std::chrono::minutes> signed_offset(std::string_view text) {
  if (text.empty() || (text[0] != '+' && text[0] != '-')) return std::nullopt;
  std::string two_digit_hour(1, text[0]);
  if (digit_run(text, 1) == 1) two_digit_hour += '0';
  two_digit_hour.append(text.substr(1));
  std::size_t end = 0;
  const std::optional<utc_offset_text> offset = read_utc_offset(two_digit_hour, end);
  if (!offset || end != two_digit_hour.size() || !offset->in_range) return std::nullopt;
  return offset->offset;
}

// '+02:00', '-04:30'.
std::string offset_text(std::chrono::minutes offset) {
  const long long all = offset.count() < 0 ? -offset.count() : offset.count();
  const auto two = [](long long n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
  std::string text(offset.count() < 0 ? "-" : "+");
  text.append(two(all / 60)).append(":").append(two(all % 60));
  return text;
}

}  // namespace

std::optional<std::string> read_zone(const typed_options& o, time_rule& rule) {
  rule.local = o.local;
  rule.utc = o.utc;
  if (o.tz.empty()) return std::nullopt;
  const std::string_view tz = o.tz;
  if (starts_with_word(tz, "Etc/GMT") && signed_offset(tz.substr(7))) {
    // The zone database counts these hours west of UTC, against their sign.
    const std::string meant = offset_text(-*signed_offset(tz.substr(7)));
    return "--tz " + in_quotes(o.tz) + " is UTC" + meant +
           ": the zone database's Etc/GMT names count hours west of UTC, against their sign; "
           "give the offset as clocks show it: --tz " +
           meant;
  }
  // 'UTC+02:00', as Windows labels its zones, and 'GMT+2': ahead of UTC for +.
  const bool utc_word = starts_with_word(tz, "UTC") || starts_with_word(tz, "GMT");
  if (utc_word && tz.size() == 3) {
    rule.fixed_offset = std::chrono::minutes{0};
    return std::nullopt;
  }
  if (utc_word && (tz[3] == '+' || tz[3] == '-')) {
    rule.fixed_offset = signed_offset(tz.substr(3));
    if (rule.fixed_offset) return std::nullopt;
    return "--tz " + in_quotes(o.tz) + " is no offset from UTC such as UTC+2 or UTC-03:30";
  }
  if (!o.tz.starts_with('+') && !o.tz.starts_with('-')) {
    // A zone's name, which the session makes the local zone: a name of the
    // zone database, never a path out of it.
    if (leaves_zone_folder(o.tz)) {
      return "--tz " + in_quotes(o.tz) +
             " is no zone's name: a name such as Europe/Berlin stays in the zone database, "
             "with no '..' and no '/' or '\\' first";
    }
    rule.local = true;
    return std::nullopt;
  }
  rule.fixed_offset = signed_offset(tz);
  if (rule.fixed_offset) return std::nullopt;
  return "--tz " + in_quotes(o.tz) + " is no offset from UTC such as +05:30, -0400 or +2";
}

std::string zone_line(const typed_options& o, const time_rule& rule, const plan_facts& facts) {
  if (!rule.fixed_offset && o.tz.empty() && !o.local) {
    return o.utc ? "names are read as UTC"
                 : "names are read as UTC (--local or --tz ZONE reads them in a zone)";
  }
  std::string line = zone_said(o, rule, facts);
  return line.insert(std::string_view("names").size(), " are");
}

std::string zone_said(const typed_options& o, const time_rule& rule, const plan_facts& facts) {
  if (rule.fixed_offset) return "names read at UTC" + offset_text(*rule.fixed_offset);
  if (!o.tz.empty()) return "names read as local time in " + o.tz;
  if (o.local) {
    return facts.tz_variable ? "names read as local time in TZ=" + *facts.tz_variable
                             : std::string("names read as the system's local time");
  }
  return "names read as UTC";
}
