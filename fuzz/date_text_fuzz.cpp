// Fuzzes date reading, from a stem through the cuts to the tick time that
// would be set. Input: a byte of flags, two bytes of cuts, then the stem.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "decide/tick_time.hpp"
#include "names/characters.hpp"
#include "names/date_text.hpp"
#include "names/selection.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const bool with_seconds = data[0] & 1;
  const ticks shift = std::chrono::hours{static_cast<std::int8_t>(data[0]) * 1000};
  const std::int64_t front_cut = data[1] % 64;
  const std::int64_t back_cut = static_cast<std::int8_t>(data[2]);
  const std::string_view stem(reinterpret_cast<const char*>(data + 3), size - 3);

  const std::optional<std::string_view> text = cut_date_text(stem, front_cut, back_cut);
  if (!text) {
    if (front_cut <= static_cast<std::int64_t>(count_characters(stem))) std::abort();
    return 0;
  }
  // The date text always lies within the stem.
  if (text->data() < stem.data() || text->data() + text->size() > stem.data() + stem.size()) {
    std::abort();
  }
  const date_reading reading = read_date_text(*text, with_seconds);
  if (reading.fault == date_fault::no_date) return 0;
  if (check_calendar(reading.time) != reading.fault) std::abort();
  const std::optional<tick_time> t = to_ticks(reading.time);
  if (t.has_value() != (reading.fault == date_fault::none)) std::abort();
  if (!t) return 0;

  // A time read is the time that would be set: it survives the round trip.
  const calendar_time back = from_ticks(*t);
  const calendar_time& c = reading.time;
  if (back.year != c.year || back.month != c.month || back.day != c.day || back.hour != c.hour ||
      back.minute != c.minute || back.second != c.second) {
    std::abort();
  }
  if (const std::optional<tick_time> moved = shift_ticks(*t, shift)) {
    if (*moved > max_tick_time) std::abort();
    static_cast<void>(format_utc(*moved));
  }
  return 0;
}
