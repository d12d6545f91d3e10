// Fuzzes the readers of --auto and --format. Input: a byte that picks the
// reader (even: --auto; odd: --format, whose pattern runs to the first NUL),
// then the text of a name.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "decide/tick_time.hpp"
#include "names/date_auto.hpp"
#include "names/date_pattern.hpp"

namespace {

// What the rest of a run relies on: a reading without fault is a real
// calendar time that survives the trip through ticks, with an offset of
// less than a day.
void check(const date_reading& r) {
  if (r.fault != date_fault::none) return;
  if (check_calendar(r.time) != date_fault::none) std::abort();
  const std::optional<tick_time> t = to_ticks(r.time);
  if (!t) std::abort();
  const calendar_time back = from_ticks(*t);
  const calendar_time& c = r.time;
  if (back.year != c.year || back.month != c.month || back.day != c.day || back.hour != c.hour ||
      back.minute != c.minute || back.second != c.second) {
    std::abort();
  }
  if (r.offset && std::chrono::abs(*r.offset) >= std::chrono::hours{24}) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
  if (data[0] % 2 == 0) {
    check(find_date_time(input));
    return 0;
  }
  const std::size_t end = input.find('\0');
  if (end == std::string_view::npos) return 0;
  std::string error;
  const std::optional<date_pattern> pattern =
      compile_pattern(input.substr(0, end), (data[0] & 2) != 0, error);
  if (!pattern) {
    if (error.empty()) std::abort();  // a refusal always says why
    return 0;
  }
  check(read_with_pattern(input.substr(end + 1), *pattern));
  return 0;
}
