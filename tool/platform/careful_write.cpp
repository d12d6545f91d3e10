#include "platform/careful_write.hpp"

#include "decide/kept_time.hpp"

const time_access platform_time_access = {check_write_time, read_modified_time,
                                          write_modified_time};

set_result set_write_time(const file_ref& file, const file_time& t, const time_access& access,
                          bool verify) {
  if (commonly_held(t.tick) && !verify) {
    if (const int blocked = access.check(file)) return {blocked, std::nullopt};
    return {access.write(file, t), std::nullopt};
  }
  file_time before;
  if (const int error = access.read(file, before)) return {error, std::nullopt};
  if (const int error = access.write(file, t)) return {error, std::nullopt};
  file_time after;
  if (const int error = access.read(file, after)) return {error, std::nullopt};
  switch (how_kept(after, t)) {
    case kept_as::same:
      return {};
    case kept_as::in_steps:
      return {0, after, true};
    case kept_as::other:
      break;
  }

  // Not held: put the old time back, and check that it holds.
  const file_time kept = after;
  if (access.write(file, before) == 0 && access.read(file, after) == 0 && after == before) {
    return {error_not_held, kept};
  }
  file_time now;
  if (access.read(file, now) != 0) return {error_not_restored, std::nullopt};
  return {error_not_restored, now};
}
