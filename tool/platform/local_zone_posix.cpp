#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <ctime>

#include "decide/zone_rule.hpp"
#include "platform/local_zone.hpp"

namespace {

// A file of the time zone database: a regular file that begins with
// "TZif". A pipe or a device of that name is never waited on.
bool is_zone_file(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;  // never opened
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return false;
  char magic[4] = {};
  const bool zone = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
                    read(fd, magic, sizeof magic) == sizeof magic &&
                    std::memcmp(magic, "TZif", 4) == 0;
  close(fd);
  return zone;
}

}  // namespace

std::optional<std::string> local_zone_problem() {
  const char* tz = std::getenv("TZ");
  // Unset: the system's zone. Empty: UTC, as the C library reads it.
  if (tz == nullptr || *tz == '\0') return std::nullopt;
  std::string name = tz[0] == ':' ? tz + 1 : tz;
  const char* tzdir = std::getenv("TZDIR");
  const std::string folder = tzdir != nullptr && *tzdir != '\0' ? tzdir : "/usr/share/zoneinfo";
  const std::string path = name.starts_with('/') ? name : folder + "/" + name;
  if (is_zone_file(path)) return std::nullopt;
  if (tz[0] != ':' && is_posix_zone_rule(name)) return std::nullopt;
  return "TZ '" + std::string(tz) + "' names no time zone on this machine (no zone file " + path +
         ")";
}

std::optional<std::chrono::seconds> local_utc_offset(std::chrono::seconds unix_time) {
  static const bool zone_read = (tzset(), true);  // TZ is read once per run
  static_cast<void>(zone_read);
  const auto t = static_cast<time_t>(unix_time.count());
  struct tm local;
  if (localtime_r(&t, &local) == nullptr) return std::nullopt;
  return std::chrono::seconds{local.tm_gmtoff};
}

std::optional<std::string> use_zone(const std::string& name) {
  if (setenv("TZ", name.c_str(), 1) != 0) return "cannot set TZ";
  return local_zone_problem();
}
