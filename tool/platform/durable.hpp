// A file that text is appended to and synced to disk: the journal. Each
// platform has its own file; errors are errno values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Opens (creating it if need be) a file to append to; created says that
// it did not exist. 0 or errno.
int open_appending(const std::string& path, int& descriptor, bool& created);

// Takes the file for this process alone, without waiting: 0, EWOULDBLOCK
// when another process holds it, or errno.
int lock_for_appending(int descriptor);

// Writes all of text; 0 or errno (ENOSPC for a write that stopped short).
int append_text(int descriptor, std::string_view text);

// Waits until what was written is on the disk; 0 or errno.
int sync_to_disk(int descriptor);

// Cuts the file back to its first size bytes; 0 or errno.
int cut_back(int descriptor, std::int64_t size);

// The file's size; 0 or errno.
int size_of(int descriptor, std::int64_t& size);

// Syncs the folder that holds path, so that a new file's name is on the
// disk too; 0 or errno.
int sync_folder_of(const std::string& path);

void close_appending(int descriptor);

// Up to size bytes from the start, or from the end, of a file, read
// without touching its last-access time where the system allows; 0 or
// errno.
int read_start(const std::string& path, std::size_t size, std::string& start);
int read_end(const std::string& path, std::size_t size, std::string& end);
