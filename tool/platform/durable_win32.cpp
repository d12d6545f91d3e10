#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>

#include "listing/utf16_win32.hpp"
#include "platform/durable.hpp"

namespace {

int read_at(const std::string& path, std::size_t size, bool from_end, std::string& text) {
  text.clear();
  const HANDLE file = CreateFileW(long_path(path).c_str(), GENERIC_READ | FILE_WRITE_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return EACCES;
  // All ones: this handle's reads leave the last-access time alone.
  const FILETIME keep{0xFFFFFFFF, 0xFFFFFFFF};
  SetFileTime(file, nullptr, &keep, nullptr);
  LARGE_INTEGER length{};
  bool ok = true;
  if (from_end && GetFileSizeEx(file, &length) && length.QuadPart > static_cast<LONGLONG>(size)) {
    LARGE_INTEGER at{};
    at.QuadPart = length.QuadPart - static_cast<LONGLONG>(size);
    ok = SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
  }
  text.resize(size);
  DWORD read = 0;
  ok = ok && ReadFile(file, text.data(), static_cast<DWORD>(size), &read, nullptr);
  CloseHandle(file);
  text.resize(ok ? read : 0);
  return ok ? 0 : EIO;
}

}  // namespace

int open_appending(const std::string& path, int& descriptor, bool& created) {
  const std::wstring wide = long_path(path);
  constexpr int flags = _O_WRONLY | _O_APPEND | _O_BINARY | _O_NOINHERIT;
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

// NTFS journals its folders' entries: a new file's name needs no sync.
int sync_folder_of(const std::string&) {
  return 0;
}

void close_appending(int descriptor) {
  _close(descriptor);
}

int read_start(const std::string& path, std::size_t size, std::string& start) {
  return read_at(path, size, false, start);
}

int read_end(const std::string& path, std::size_t size, std::string& end) {
  return read_at(path, size, true, end);
}
