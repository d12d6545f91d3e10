#include "app/zone_words.hpp"

#include "names/clock_parts.hpp"
#include "names/quoting.hpp"

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

}  // namespace

std::optional<std::string> read_zone(const typed_options& o, time_rule& rule) {
  rule.local = o.local;
  rule.utc = o.utc;
  if (o.tz.empty()) return std::nullopt;
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
  std::size_t end = 0;
  const std::optional<utc_offset_text> offset = read_utc_offset(o.tz, end);
  if (!offset || end != o.tz.size() || !offset->in_range) {
    return "--tz " + in_quotes(o.tz) + " is no offset from UTC such as +05:30, -0400 or +02";
  }
  rule.fixed_offset = offset->offset;
  return std::nullopt;
}


std::string zone_line(const typed_options& o, const plan_facts& facts) {
  if (o.tz.starts_with('+') || o.tz.starts_with('-')) return "names are read at UTC" + o.tz;
  if (!o.tz.empty()) return "names are read as local time in " + o.tz;
  if (o.local) {
    return "names are read as local time (" +
           (facts.tz_variable ? "TZ=" + *facts.tz_variable : std::string("the system's zone")) +
           ")";
  }
  if (o.utc) return "names are read as UTC";
  return "names are read as UTC (--local or --tz ZONE reads them in a zone)";
}

