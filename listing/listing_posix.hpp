// What the POSIX platform files share about an open listing.
#pragma once

#include <dirent.h>
#include <limits.h>
#include <sys/types.h>

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
  int children;  // listings opened below it, not yet closed
  bool closed;   // close_listing was called while it had children
  char name[NAME_MAX + 1];
  long place;
  dev_t device;
  ino_t inode;
};

// The descriptor of the listed directory, for *at() calls on its entries.
int listing_fd(const dir_listing* listing);
