// Setting a file's last-modified time: the platform's part of stamping.
// Only the last-modified time changes; the data is never opened.
#pragma once

#include <string>

#include "listing/listing.hpp"
#include "tool/tick_time.hpp"

// A selected entry as each platform may reach it: through its folder's
// listing and its entry, or through the path the user sees.
struct file_ref {
  const dir_listing* folder;
  const dir_entry* entry;
  const char* path;
};

// Results: 0 for success, a platform error code (errno, or GetLastError on
// Windows), or one of these.
inline constexpr int error_not_held = -1;      // the file system keeps another time
inline constexpr int error_is_directory = -2;  // folders are never stamped

// Sets the file's last-modified time to t. Times that not every file system
// holds (outside 1980 through 2107) are read back; if the file system keeps
// a different time, the old one is put back and error_not_held returned.
int set_write_time(const file_ref& file, tick_time t);

// What a real run would meet before it wrote: error_is_directory for a
// folder or a link to one, the error of a link that leads nowhere, else 0.
int check_write_time(const file_ref& file);

// The system's text for an error code of the above.
std::string error_text(int code);
