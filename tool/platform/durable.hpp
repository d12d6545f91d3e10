// A file that text is appended to and synced to disk: the journal. Each
// platform has its own file; errors are errno values.
#pragma once

#include <string>
#include <string_view>

// Opens (creating it if need be) a file to append to; 0 or errno.
int open_appending(const std::string& path, int& descriptor);

// Writes all of text; 0 or errno.
int append_text(int descriptor, std::string_view text);

// Waits until what was written is on the disk; 0 or errno.
int sync_to_disk(int descriptor);

void close_appending(int descriptor);

// Up to size bytes from the start of a file, read without touching its
// last-access time where the system allows; 0 or errno.
int read_start(const std::string& path, std::size_t size, std::string& start);
