#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>

#include "listing/listing_win32.hpp"
#include "listing/utf16_win32.hpp"
#include "platform/durable.hpp"

namespace {

// The C runtime's descriptor for an opened handle: only a file on a disk
// is kept (ENODEV, the handle closed, for a device, a pipe or a folder).
int descriptor_of(HANDLE file, int flags, int& descriptor) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    CloseHandle(file);
    return ENODEV;
  }
  descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(file), flags | _O_BINARY);
  if (descriptor < 0) {
    CloseHandle(file);
    return EMFILE;
  }
  return 0;
}

}  // namespace

// Shared for deleting too: a journal written anew beside the old one is
// held while it is renamed into the old one's place.
int open_appending(const std::string& path, int& descriptor, bool& created) {
  constexpr DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  const HANDLE file = CreateFileW(long_path(path).c_str(), GENERIC_READ | GENERIC_WRITE, share,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return errno_from_windows(GetLastError());
  created = GetLastError() != ERROR_ALREADY_EXISTS;
  return descriptor_of(file, _O_APPEND, descriptor);
}

int lock_for_appending(int descriptor) {
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
  OVERLAPPED whole{};
  if (LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD,
                 &whole)) {
    return 0;
  }
  return GetLastError() == ERROR_LOCK_VIOLATION ? EWOULDBLOCK : EIO;
}

int append_text(int descriptor, std::string_view text) {
  while (!text.empty()) {
    const int n = _write(descriptor, text.data(), static_cast<unsigned>(text.size()));
    if (n <= 0) return n < 0 ? errno : ENOSPC;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

int sync_to_disk(int descriptor) {
  return _commit(descriptor) == 0 ? 0 : errno;
}

int cut_back(int descriptor, std::int64_t size) {
  return _chsize_s(descriptor, size);
}

int size_of(int descriptor, std::int64_t& size) {
  struct _stat64 st;
  if (_fstat64(descriptor, &st) != 0) return errno;
  size = st.st_size;
  return 0;
}

int identify(int descriptor, unsigned long long& device, unsigned long long& file) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(reinterpret_cast<HANDLE>(_get_osfhandle(descriptor)), &info)) {
    return EIO;
  }
  device = info.dwVolumeSerialNumber;
  file = (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  return 0;
}

// NTFS journals its folders' entries: a new file's name needs no sync.
int sync_folder_of(const std::string&) {
  return 0;
}

void close_descriptor(int descriptor) {
  _close(descriptor);
}

int open_updating(const std::string& path, int& descriptor) {
  const std::wstring wide = long_path(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return ENODEV;
  }
  descriptor = _wopen(wide.c_str(), _O_RDWR | _O_APPEND | _O_BINARY | _O_NOINHERIT);
  return descriptor < 0 ? errno : 0;
}

const bool replaces_open_files = false;

int replace_file(const std::string& from, const std::string& to) {
  return MoveFileExW(long_path(from).c_str(), long_path(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
             ? 0
             : errno_from_windows(GetLastError());
}

int open_reading(const std::string& path, int& descriptor) {
  const std::wstring wide = long_path(path);
  constexpr DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ | FILE_WRITE_ATTRIBUTES, share, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    // All ones: this handle's reads leave the last-access time alone.
    const FILETIME keep{0xFFFFFFFF, 0xFFFFFFFF};
    SetFileTime(file, nullptr, &keep, nullptr);
  } else {
    file = CreateFileW(wide.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ENOENT : EACCES;
  }
  return descriptor_of(file, _O_RDONLY, descriptor);
}

int read_at(int descriptor, std::int64_t offset, std::size_t size, std::string& text) {
  const auto file = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
  text.resize(size);
  std::size_t got = 0;
  while (got < size) {
    OVERLAPPED at{};
    const auto from = static_cast<std::uint64_t>(offset) + got;
    at.Offset = static_cast<DWORD>(from & 0xFFFFFFFFu);
    at.OffsetHigh = static_cast<DWORD>(from >> 32);
    DWORD read = 0;
    if (!ReadFile(file, text.data() + got, static_cast<DWORD>(size - got), &read, &at)) {
      if (GetLastError() == ERROR_HANDLE_EOF) break;
      text.clear();
      return EIO;
    }
    if (read == 0) break;
    got += read;
  }
  text.resize(got);
  return 0;
}
