// Lists a directory one entry at a time, in the manner of POSIX directory
// streams, over whatever the platform offers. A failure is a null result
// with errno set.
#pragma once

// Entry kinds, as the file-type bits of a mode word.
inline constexpr int kind_unknown = 0;  // the entry vanished before it could be looked up
inline constexpr int kind_fifo = 0x1000;
inline constexpr int kind_device = 0x2000;
inline constexpr int kind_directory = 0x4000;
inline constexpr int kind_block_device = 0x6000;
inline constexpr int kind_regular = 0x8000;
inline constexpr int kind_link = 0xA000;
inline constexpr int kind_socket = 0xC000;

// What a look at an entry (lstat) saw.
struct entry_look {
  long long seconds = 0;  // last modified, since 1970-01-01 00:00:00 UTC
  long nanoseconds = 0;
  unsigned owner = 0;
  unsigned names = 1;  // its hard links
  unsigned long long device = 0;
  unsigned long long number = 0;
};

struct dir_entry {
  // NUL-terminated. Linux names are bytes, at most 255; Windows names are
  // UTF-8 here, up to three bytes for each of Windows' 255 UTF-16 units.
  char name[768];
  int name_length;
  int kind;
  // The file's number in its file system (Linux: d_ino), so that two names
  // of one file can be told; 0 where the listing does not say (Windows).
  unsigned long long file_number;
  // Where the file system does not say an entry's kind (some FUSE file systems, XFS made without
  // ftype), the listing looks at the entry to learn it, and keeps what it saw: on a share a second
  // look is one more round trip.
  bool looked;
  entry_look look;  // where looked
};

// Down one chain of open listings, those more than this many levels above
// the deepest may be given back their descriptor (parked) and opened
// again when they are listed on: nothing should go through a listing far
// above the deepest meanwhile.
inline constexpr int listing_open_depth = 64;

// One open listing. Its layout is the platform's own.
struct dir_listing;

// Opens the listing of a directory named by a path; null with errno set
// when it cannot be listed.
dir_listing* open_listing(const char* directory_name);

// Opens the listing of an entry of an open listing, found where its parent
// was found, never through a symbolic link. path names it for the platforms
// that need a name; null with errno set on failure.
dir_listing* open_sublisting(const dir_listing* parent, const dir_entry& entry, const char* path);

// The next entry, or null when there is none. The entry lies inside the
// listing and is valid until the next call. "." and ".." are listed like
// any other entry. Null with errno EBADF for a null listing. A listing is
// read by one thread at a time, not always the one that opened it.
const dir_entry* next_entry(dir_listing* listing);

// 0 when the listing ran to its end; otherwise the errno of the failure
// that broke it off.
int listing_error(const dir_listing* listing);

// Releases a listing and everything it holds; null is ignored.
void close_listing(dir_listing* listing);
