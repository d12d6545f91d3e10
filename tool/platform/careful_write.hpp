// Setting a file's time so that it is the time the run reports, or the
// file is left as it was and the run says so.
#pragma once

#include <optional>

#include "platform/modified_time.hpp"

// The platform operations the careful path is made of, so that tests can
// put file systems that clamp or drop times in their place.
struct time_access {
  int (*check)(const file_ref& file);
  int (*read)(const file_ref& file, file_time& time);
  int (*write)(const file_ref& file, const file_time& time);
};
extern const time_access platform_time_access;

struct set_result {
  int error = 0;
  // With error_not_held: what the file system kept instead; with
  // error_not_restored: what the file holds now, when it could be read; and
  // when rounded: the time it holds, t in the file system's steps.
  std::optional<file_time> now;
  bool rounded = false;
};

// Sets the file's last-modified time to t. A time inside the window that
// every common file system holds costs one write. Outside it, or with
// verify, the old time is kept, t written and read back, and if the file
// system kept something else the old time is put back: error_not_held, or
// error_not_restored when even that did not hold. A time kept in the file
// system's steps (how_kept: FAT keeps even seconds, others milliseconds) is
// no failure: it comes back rounded.
set_result set_write_time(const file_ref& file, const file_time& t,
                          const time_access& access = platform_time_access, bool verify = false);
