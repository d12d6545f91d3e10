#include "decide/kept_time.hpp"

namespace {

// The steps file systems keep times in, as ticks of 100 ns: the decimal
// ones from 1 µs to 1 s, and FAT's 2 s.
constexpr ticks steps[] = {ticks{10},      ticks{100},       ticks{1'000},      ticks{10'000},
                           ticks{100'000}, ticks{1'000'000}, ticks{10'000'000}, ticks{20'000'000}};

}  // namespace

kept_as how_kept(const file_time& kept, const file_time& wanted) {
  if (kept.tick == wanted.tick && (kept.nanoseconds == wanted.nanoseconds || kept.nanoseconds == 0))
    return kept_as::same;
  if (kept.nanoseconds != 0) return kept_as::other;
  for (const ticks step : steps) {
    // Cut down to the step, or rounded up to the next one: a time already
    // on a step is kept as it is.
    const tick_time down = tick_origin + (wanted.tick - tick_origin) / step * step;
    const bool on_step = down == wanted.tick && wanted.nanoseconds == 0;
    if (kept.tick == down || (!on_step && kept.tick == down + step)) return kept_as::in_steps;
  }
  return kept_as::other;
}
