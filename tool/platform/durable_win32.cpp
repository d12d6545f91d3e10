#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>

#include "listing/utf16_win32.hpp"
#include "platform/durable.hpp"

int open_appending(const std::string& path, int& descriptor, bool& created) {
  const std::wstring wide = long_path(path);
  constexpr int flags = _O_RDWR | _O_APPEND | _O_BINARY | _O_NOINHERIT;
  descriptor = _wopen(wide.c_str(), flags | _O_CREAT | _O_EXCL, _S_IREAD | _S_IWRITE);
  created = descriptor >= 0;
  if (descriptor < 0 && errno == EEXIST) descriptor = _wopen(wide.c_str(), flags);
  return descriptor < 0 ? errno : 0;
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

int replace_file(const std::string& from, const std::string& to) {
  return MoveFileExW(long_path(from).c_str(), long_path(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
             ? 0
             : EACCES;
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
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    CloseHandle(file);
    return ENODEV;
  }
  descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDONLY | _O_BINARY);
  if (descriptor < 0) {
    CloseHandle(file);
    return EMFILE;
  }
  return 0;
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
