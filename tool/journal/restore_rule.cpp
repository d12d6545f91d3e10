#include "journal/restore_rule.hpp"

bool kept_alike(const file_time& now, const file_time& t) {
  if (now == t) return true;
  if (now.nanoseconds != 0) return false;
  for (const ticks step : {ticks{10}, ticks{100'000}, ticks{10'000'000}, ticks{20'000'000}}) {
    const tick_time down = tick_origin + (t.tick - tick_origin) / step * step;
    const bool exact = down == t.tick && t.nanoseconds == 0;
    if (now.tick == down || (!exact && now.tick == down + step)) return true;
  }
  return false;
}

restore_step step_for(const file_time& now, const file_time& before, const file_time& set) {
  if (now == before) return restore_step::unchanged;
  if (kept_alike(now, set)) return restore_step::restore;
  return restore_step::changed;
}
