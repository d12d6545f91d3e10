// A file that text is appended to and synced to disk, and read back: the
// journal. Each platform has its own file. Every call returns 0 or an
// errno value, on Windows too (the C runtime's), which strerror says.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Opens (creating it if need be) a regular file to append to and read
// back (read_at); created
// says that it did not exist. 0, ENODEV for anything but a regular file
// (never waited on), or errno.
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

// The file's size, and which file it is (its device and number); 0 or
// errno.
int size_of(int descriptor, std::int64_t& size);
int identify(int descriptor, unsigned long long& device, unsigned long long& file);

// Syncs the folder that holds path, so that a new file's name is on the
// disk too; 0 or errno.
int sync_folder_of(const std::string& path);

void close_descriptor(int descriptor);

// Opens a regular file to read, without touching its last-access time
// where the system allows; ENODEV for anything else (a folder, a pipe, a
// device), which is never waited on. 0 or errno.
int open_reading(const std::string& path, int& descriptor);

// Opens an existing regular file to read and append to; ENODEV for
// anything else. 0 or errno.
int open_updating(const std::string& path, int& descriptor);

// Puts the file at from in the place of the file at to, at once (rename);
// 0 or errno. Whether the file at to may be open meanwhile (POSIX), or
// must be closed by all (Windows).
int replace_file(const std::string& from, const std::string& to);
extern const bool replaces_open_files;

// Up to size bytes from offset on, fewer at the end; 0 or errno.
int read_at(int descriptor, std::int64_t offset, std::size_t size, std::string& text);
