// How the POSIX files reach a listed entry: through its folder's
// descriptor and its name, or by its path alone; and file times to and
// from timespec.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>

#include "listing/listing_posix.hpp"
#include "platform/handles.hpp"
#include "system/system.hpp"

namespace reach {

using std::chrono::duration_cast;
using std::chrono::nanoseconds;
using std::chrono::seconds;

inline timespec to_timespec(const file_time& t) {
  const ticks since_epoch = t.tick - unix_epoch;
  const seconds whole = std::chrono::floor<seconds>(since_epoch);
  const auto rest = duration_cast<nanoseconds>(since_epoch - whole) + nanoseconds{t.nanoseconds};
  return {static_cast<time_t>(whole.count()), static_cast<long>(rest.count())};
}

inline file_time from_timespec(const timespec& t) {
  const nanoseconds rest{t.tv_nsec};
  return {unix_epoch + seconds{t.tv_sec} + duration_cast<ticks>(rest),
          static_cast<int>(rest.count() % 100)};
}

// A file is reached through its folder's listing when it has one (the
// run), else by its path (an undo).
inline int folder_of(const file_ref& file) {
  return file.folder != nullptr ? listing_fd(listing_of(file.folder)) : AT_FDCWD;
}

inline const char* name_of(const file_ref& file) {
  return file.name != nullptr ? file.name : file.path;
}

}  // namespace reach
