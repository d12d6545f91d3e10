// Reading and writing a file's last-modified time: the platform's part of
// stamping. Only the last-modified time changes; the data is never opened.
#pragma once

#include <string>

#include "decide/tick_time.hpp"
#include "listing/listing.hpp"

// A selected entry as each platform may reach it: through its folder's
// listing and its entry, or through the path the user sees. An undo has
// only the path: folder and entry are null.
struct file_ref {
  const dir_listing* folder;
  const dir_entry* entry;
  const char* path;
};

// Results: 0 for success, a platform error code (errno, or GetLastError on
// Windows), or one of these.
inline constexpr int error_not_held = -1;      // the file system keeps another time
inline constexpr int error_is_directory = -2;  // folders are never stamped
inline constexpr int error_not_restored = -3;  // not held, and the old time not put back

// What a real run would meet before it wrote: error_is_directory for a
// folder or a link to one, the error of a link that leads nowhere, else 0.
int check_write_time(const file_ref& file);

// The file's last-modified time, following a link; error_is_directory for
// a folder.
int read_modified_time(const file_ref& file, file_time& time);

// Sets the file's last-modified time, and nothing else, with one call.
int write_modified_time(const file_ref& file, const file_time& time);

// From now on, writes set the creation time to the same instant as the
// last-modified time (--created); false where the platform cannot.
bool set_creation_time_too();

// The file's creation time, and setting it alone, where the platform keeps
// one (Windows); elsewhere they fail with ENOTSUP, and are never called.
int read_creation_time(const file_ref& file, file_time& time);
int write_creation_time(const file_ref& file, const file_time& time);

// t as finely as this platform keeps file times (Windows: whole ticks).
file_time platform_precision(const file_time& t);

// The system's text for an error code of the above.
std::string error_text(int code);
