#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>

#include "listing/utf16_win32.hpp"
#include "platform/durable.hpp"

int open_appending(const std::string& path, int& descriptor) {
  descriptor =
      _wopen(widen(path).c_str(), _O_WRONLY | _O_APPEND | _O_CREAT | _O_BINARY | _O_NOINHERIT,
             _S_IREAD | _S_IWRITE);
  return descriptor < 0 ? errno : 0;
}

int append_text(int descriptor, std::string_view text) {
  while (!text.empty()) {
    const int n = _write(descriptor, text.data(), static_cast<unsigned>(text.size()));
    if (n <= 0) return n < 0 ? errno : EIO;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

int sync_to_disk(int descriptor) {
  return _commit(descriptor) == 0 ? 0 : errno;
}

void close_appending(int descriptor) {
  _close(descriptor);
}

int read_start(const std::string& path, std::size_t size, std::string& start) {
  const HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_READ | FILE_WRITE_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return EACCES;
  // All ones: this handle's reads leave the last-access time alone.
  const FILETIME keep{0xFFFFFFFF, 0xFFFFFFFF};
  SetFileTime(file, nullptr, &keep, nullptr);
  start.resize(size);
  DWORD read = 0;
  const bool ok = ReadFile(file, start.data(), static_cast<DWORD>(size), &read, nullptr);
  CloseHandle(file);
  start.resize(ok ? read : 0);
  return ok ? 0 : EIO;
}
