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

inline timespec to_timespec(const file_time& t) {
  const unix_time u = to_unix_time(t);
  return {static_cast<time_t>(u.seconds), u.nanoseconds};
}

inline file_time from_timespec(const timespec& t) {
  return from_unix_time({t.tv_sec, t.tv_nsec});
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
