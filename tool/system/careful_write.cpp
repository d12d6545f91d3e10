#include "system/careful_write.hpp"

#include "decide/kept_time.hpp"

namespace {

set_result failed(int error) {
  return {set_fate::failed, error, std::nullopt};
}

// A write that failed may have been made all the same (a share whose
// answer was lost): what the file holds now is read, and kept when it is
// the time that was written, so that the failure says so.
set_result failed_write(const system_calls& system, const file_ref& file, const file_time& t,
                        int error) {
  set_result result = failed(error);
  if (error == system.folder_error || error == system.foreign_link_error) return result;
  file_time now;
  if (system.read_time(file, now) == 0 && how_kept(now, t) != kept_as::other) result.now = now;
  return result;
}

}  // namespace

set_result set_write_time(const system_calls& system, const file_ref& file, const file_time& t,
                          bool verify) {
  if (commonly_held(t.tick) && !verify) {
    if (const int blocked = system.check(file)) return failed(blocked);
    if (const int error = system.write_time(file, t)) return failed_write(system, file, t, error);
    return {};
  }
  file_time before;
  if (const int error = system.read_time(file, before)) return failed(error);
  if (const int error = system.write_time(file, t)) return failed_write(system, file, t, error);
  file_time after;
  if (const int error = system.read_time(file, after)) return failed(error);
  switch (how_kept(after, t)) {
    case kept_as::same:
      return {};
    case kept_as::in_steps:
      return {set_fate::rounded, 0, after};
    case kept_as::other:
      break;
  }
  // Not held: put the old time back, and check that it holds.
  const file_time kept = after;
  if (system.write_time(file, before) == 0 && system.read_time(file, after) == 0 &&
      after == before) {
    return {set_fate::not_held, 0, kept};
  }
  file_time now;
  if (system.read_time(file, now) != 0) return {set_fate::not_restored, 0, std::nullopt};
  return {set_fate::not_restored, 0, now};
}
