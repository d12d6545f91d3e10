#include "journal/restore_rule.hpp"

restore_step step_for(const file_time& now, const file_time& before, const file_time& set) {
  if (now == before) return restore_step::unchanged;
  if (how_kept(now, set) != kept_as::other) return restore_step::restore;
  return restore_step::changed;
}
