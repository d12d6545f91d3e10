// What the POSIX platform files share about an open listing.
#pragma once

#include <dirent.h>

#include "listing/listing.hpp"

struct dir_listing {
  dir_entry entry;
  DIR* stream;  // open until close_listing
  int fd;       // the stream's descriptor, kept for the entries' *at() calls
  int error;
  bool ended;  // run out: every further call returns null at once
};

// The descriptor of the listed directory, for *at() calls on its entries.
int listing_fd(const dir_listing* listing);
