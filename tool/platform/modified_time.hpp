// Reading and writing a file's last-modified time: the platform's part of
// stamping. Only the last-modified time changes; the data is never opened.
// Results are 0 or the platform's error code (errno, or GetLastError on
// Windows); a folder is platform_folder_error.
#pragma once

#include <string>

#include "system/system.hpp"

// The platform's code for a folder met where a file was meant, and for a
// link that the link rule (system/link_rule.hpp) does not let the write
// follow, checked again as the write is made.
extern const int platform_folder_error;
extern const int platform_foreign_link_error;
extern const int platform_read_only_error;  // a write to a read-only file system

// What a real run would meet before it wrote: platform_folder_error for a
// folder or a link to one, the error of a link that leads nowhere, else 0.
int check_write_time(const file_ref& file);

// The file's last-modified time, following only an entry listed as a link.
int read_modified_time(const file_ref& file, file_time& time);

// Sets the file's last-modified time, and nothing else, with one call;
// only an entry listed as a link is followed, by the link rule, to the
// file the rule was checked against.
int write_modified_time(const file_ref& file, const file_time& time);

// Whether the platform has a call that sets a file's creation time.
bool creation_time_settable();

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
