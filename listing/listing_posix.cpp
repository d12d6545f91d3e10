#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

#include "listing/holding_posix.hpp"

namespace {

dir_listing* adopt(DIR* stream) {
  if (stream == nullptr) return nullptr;
  auto* listing = new (std::nothrow) dir_listing{};
  if (listing == nullptr) {
    closedir(stream);
    errno = ENOMEM;
    return nullptr;
  }
  listing->stream = stream;
  listing->fd = dirfd(stream);
  return listing;
}

int kind_of(const dir_listing& listing, const dirent& d, dir_entry& e) {
  e.looked = false;
  switch (d.d_type) {
    case DT_REG:
      return kind_regular;
    case DT_DIR:
      return kind_directory;
    case DT_LNK:
      return kind_link;
    case DT_FIFO:
      return kind_fifo;
    case DT_CHR:
      return kind_device;
    case DT_BLK:
      return kind_block_device;
    case DT_SOCK:
      return kind_socket;
    default:
      break;
  }
  // The file system does not say; ask it, without following a link.
  // "." and ".." need no asking.
  if (d.d_name[0] == '.' && (d.d_name[1] == '\0' || (d.d_name[1] == '.' && d.d_name[2] == '\0'))) {
    return kind_directory;
  }
  struct stat st;
  if (fstatat(listing.fd, d.d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) return kind_unknown;
  e.looked = true;
  e.look = look_of(st);
  return static_cast<int>(st.st_mode & S_IFMT);
}

}  // namespace

dir_listing* open_listing(const char* directory_name) {
  return adopt(opendir(directory_name));
}

dir_listing* open_sublisting(const dir_listing* listed, const dir_entry& entry, const char*) {
  // Listings are made here, never const: parking one changes how it is
  // held, not what it lists.
  dir_listing* parent = const_cast<dir_listing*>(listed);
  if (parent == nullptr) {
    errno = EBADF;
    return nullptr;
  }
  if (!unpark(*parent)) return nullptr;
  const int fd =
      openat(parent->fd, entry.name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return nullptr;
  DIR* stream = fdopendir(fd);
  if (stream == nullptr) {
    const int saved = errno;
    close(fd);
    errno = saved;
    return nullptr;
  }
  dir_listing* listing = adopt(stream);
  if (listing == nullptr) return nullptr;
  listing->parent = parent;
  ++parent->children;
  std::memcpy(listing->name, entry.name, std::strlen(entry.name) + 1);
  bound(*listing);
  return listing;
}

const dir_entry* next_entry(dir_listing* listing) {
  if (listing == nullptr) {
    errno = EBADF;
    return nullptr;
  }
  if (listing->ended) return nullptr;
  if (listing->stream == nullptr) {  // parked while the walk was below it
    if (!unpark(*listing)) {
      listing->error = errno;
      listing->ended = true;
      return nullptr;
    }
  }
  const int saved = errno;
  errno = 0;
  const dirent* d = readdir(listing->stream);
  if (d == nullptr) {
    // readdir tells an end from a failure only through errno.
    // The descriptor stays open: entries handed out may still be stamped
    // through it until the listing is closed.
    listing->error = errno;
    listing->ended = true;
    errno = listing->error != 0 ? listing->error : saved;
    return nullptr;
  }
  errno = saved;
  dir_entry& e = listing->entry;
  const std::size_t length = strnlen(d->d_name, sizeof e.name - 1);
  std::memcpy(e.name, d->d_name, length);
  e.name[length] = '\0';
  e.name_length = static_cast<int>(length);
  e.kind = kind_of(*listing, *d, e);
  // FUSE file systems that do not keep numbers (sshfs) give every entry
  // FUSE_UNKNOWN_INO: that says nothing of which names are one file.
  constexpr unsigned long long unknown_number = 0xffffffffULL;
  e.file_number = d->d_ino == unknown_number ? 0 : d->d_ino;
  return &e;
}

int listing_error(const dir_listing* listing) {
  return listing == nullptr ? EBADF : listing->error;
}

void close_listing(dir_listing* listing) {
  if (listing == nullptr) return;
  if (listing->stream != nullptr) closedir(listing->stream);
  listing->stream = nullptr;
  listing->fd = -1;
  listing->closed = true;
  if (listing->children == 0) release(listing);  // else with its last child
}

int listing_fd(const dir_listing* listing) {
  return listing == nullptr ? -1 : listing->fd;
}
