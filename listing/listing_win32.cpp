#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "listing/listing_win32.hpp"
#include "listing/utf16_win32.hpp"

struct dir_listing {
  dir_entry entry;
  WIN32_FIND_DATAW find_data;
  int cached;            // 1 while find_data holds the first entry, not yet handed out
  HANDLE search_handle;  // INVALID_HANDLE_VALUE once the listing has run out
  int error;
};

namespace {

// A symbolic link or a junction is a link, to a file or a folder, which is
// never walked into. Other reparse points (cloud placeholders, deduplicated
// files) are the files themselves.
int kind_of(DWORD attributes, DWORD reparse_tag) {
  if (attributes & FILE_ATTRIBUTE_DEVICE) return kind_device;
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
      (reparse_tag == IO_REPARSE_TAG_SYMLINK || reparse_tag == IO_REPARSE_TAG_MOUNT_POINT)) {
    return kind_link;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return kind_directory;
  return kind_regular;
}

}  // namespace

int errno_from_windows(unsigned long error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EACCES;
    case ERROR_DIRECTORY:
      return ENOTDIR;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return ENOMEM;
    case ERROR_INVALID_NAME:
      return EINVAL;
    default:
      return EIO;
  }
}

namespace {

dir_listing* fail(dir_listing* listing, int error) {
  std::free(listing);
  errno = error;
  return nullptr;
}

}  // namespace

dir_listing* open_listing(const char* directory_name) {
  auto* listing = static_cast<dir_listing*>(std::malloc(sizeof(dir_listing)));
  if (listing == nullptr) return nullptr;
  listing->error = 0;

  // The wide functions, with the folder's full path (given the '\\?\'
  // prefix where it is long), reach every name in any script and at any
  // depth.
  std::wstring pattern = long_path(directory_name);
  if (pattern.empty()) return fail(listing, ENOENT);
  if (pattern.back() != L'\\' && pattern.back() != L':') pattern += L'\\';
  pattern += L'*';

  listing->search_handle = FindFirstFileW(pattern.c_str(), &listing->find_data);
  // The real reason, not always "no such file": access denied stays so.
  if (listing->search_handle == INVALID_HANDLE_VALUE) {
    return fail(listing, errno_from_windows(GetLastError()));
  }
  listing->cached = 1;
  return listing;
}

dir_listing* open_sublisting(const dir_listing*, const dir_entry&, const char* path) {
  return open_listing(path);
}

const dir_entry* next_entry(dir_listing* listing) {
  if (listing == nullptr) {
    errno = EBADF;
    return nullptr;
  }
  if (listing->cached) {
    listing->cached = 0;
  } else {
    if (listing->search_handle == INVALID_HANDLE_VALUE) return nullptr;
    if (!FindNextFileW(listing->search_handle, &listing->find_data)) {
      // Running out is the one orderly end; anything else breaks the listing off.
      const DWORD error = GetLastError();
      if (error != ERROR_NO_MORE_FILES) listing->error = errno_from_windows(error);
      FindClose(listing->search_handle);
      listing->search_handle = INVALID_HANDLE_VALUE;
      return nullptr;
    }
  }
  dir_entry& e = listing->entry;
  // A name of 255 UTF-16 units takes at most 765 bytes of UTF-8: it fits.
  const std::string name = narrow(listing->find_data.cFileName);
  const std::size_t length = std::min(name.size(), sizeof e.name - 1);
  std::memcpy(e.name, name.data(), length);
  e.name[length] = '\0';
  e.name_length = static_cast<int>(length);
  e.kind = kind_of(listing->find_data.dwFileAttributes, listing->find_data.dwReserved0);
  e.looked = false;  // the kind comes with the name
  e.file_number = 0;
  return &e;
}

int listing_error(const dir_listing* listing) {
  return listing == nullptr ? EBADF : listing->error;
}

void close_listing(dir_listing* listing) {
  if (listing == nullptr) return;
  if (listing->search_handle != INVALID_HANDLE_VALUE) FindClose(listing->search_handle);
  std::free(listing);
}
