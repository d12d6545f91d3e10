// What the POSIX platform files share about an open listing.
#pragma once

#include <dirent.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <atomic>

#include "listing/listing.hpp"

struct dir_listing {
  dir_entry entry;
  DIR* stream;  // null while parked, and once closed while it has children
  int fd;       // the stream's descriptor, kept for the entries' *at() calls; -1 while parked
  int error;
  bool ended;  // run out: every further call returns null at once
  // Where it was found, to open it again once parked (holding.hpp): its
  // parent (null at the top), which outlives it, its name there, its
  // place, and which folder it was.
  dir_listing* parent;
  // Listings opened below it, not yet closed: they may be opened ahead of
  // the walk on other threads, while the walk closes others.
  std::atomic<int> children;
  bool closed;  // close_listing was called while it had children
  char name[NAME_MAX + 1];
  long place;
  dev_t device;
  ino_t inode;
};

// What an lstat of an entry saw, as a listing keeps it.
inline entry_look look_of(const struct stat& st) {
  return {st.st_mtim.tv_sec, st.st_mtim.tv_nsec, st.st_uid, static_cast<unsigned>(st.st_nlink),
          st.st_dev,         st.st_ino};
}

// The descriptor of the listed directory, for *at() calls on its entries.
int listing_fd(const dir_listing* listing);
