#include "listing/holding_posix.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

// Gives back a listing's descriptor, keeping its place and which folder
// it lists.
void park(dir_listing& listing) {
  struct stat st;
  if (fstat(listing.fd, &st) != 0) return;  // kept open: it could not be checked later
  listing.device = st.st_dev;
  listing.inode = st.st_ino;
  listing.place = telldir(listing.stream);
  closedir(listing.stream);
  listing.stream = nullptr;
  listing.fd = -1;
}

}  // namespace

bool unpark(dir_listing& listing) {
  if (listing.stream != nullptr) return true;
  dir_listing* parent = listing.parent;
  if (listing.closed || parent == nullptr) {
    errno = EBADF;
    return false;
  }
  if (!unpark(*parent)) return false;
  const int fd =
      openat(parent->fd, listing.name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return false;
  struct stat st;
  DIR* stream = nullptr;
  int failure = 0;
  if (fstat(fd, &st) != 0) {
    failure = errno;
  } else if (st.st_dev != listing.device || st.st_ino != listing.inode) {
    failure = ESTALE;  // the folder was moved away, another stands there
  } else if ((stream = fdopendir(fd)) == nullptr) {
    failure = errno;
  }
  if (failure != 0) {
    close(fd);
    errno = failure;
    return false;
  }
  seekdir(stream, listing.place);
  listing.stream = stream;
  listing.fd = fd;
  bound(listing);  // a chain opened again from its top holds no more than a walk
  return true;
}

void bound(dir_listing& listing) {
  // The parked lie above the open, so the look ends at the first parked.
  int open = 1;
  for (dir_listing* above = listing.parent; above != nullptr && above->parent != nullptr;
       above = above->parent) {
    if (above->stream == nullptr) return;
    if (++open > open_depth) park(*above);
  }
}

void release(dir_listing* listing) {
  while (listing != nullptr) {
    dir_listing* parent = listing->parent;
    delete listing;
    if (parent == nullptr || --parent->children > 0 || !parent->closed) return;
    listing = parent;
  }
}
