#include <windows.h>

#include <cstring>
#include <string>

#include "tool/file_time.hpp"

namespace {

// Narrow text in the system's code page to UTF-16.
std::wstring widen_ansi(const char* text) {
  const int source_length = static_cast<int>(std::strlen(text)) + 1;  // the NUL too
  const int units = MultiByteToWideChar(CP_ACP, 0, text, source_length, nullptr, 0);
  if (units <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, source_length, wide.data(), units);
  wide.resize(wide.find(L'\0'));
  return wide;
}

FILETIME to_filetime(tick_time t) {
  return {static_cast<DWORD>(t & 0xFFFFFFFFu), static_cast<DWORD>(t >> 32)};
}

tick_time from_filetime(const FILETIME& f) {
  return (static_cast<tick_time>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
}

// A link to a folder is listed as a link; folders are never stamped.
bool is_folder(const file_ref& file) {
  return file.entry->kind == kind_directory || file.entry->kind == kind_link;
}

}  // namespace

int check_write_time(const file_ref& file) {
  return is_folder(file) ? error_is_directory : 0;
}

int set_write_time(const file_ref& file, tick_time t) {
  if (is_folder(file)) return error_is_directory;
  const bool careful = !commonly_held(t);
  // Write access to the attributes only: the data is never opened. The
  // careful path also reads the times back.
  const DWORD access = FILE_WRITE_ATTRIBUTES | (careful ? FILE_READ_ATTRIBUTES : 0);
  const HANDLE handle =
      CreateFileW(widen_ansi(file.path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());

  FILETIME before{};
  const FILETIME wanted = to_filetime(t);
  int result = 0;
  if (careful && !GetFileTime(handle, nullptr, nullptr, &before)) {
    result = static_cast<int>(GetLastError());
  } else if (!SetFileTime(handle, nullptr, nullptr, &wanted)) {
    result = static_cast<int>(GetLastError());
  } else if (careful) {
    FILETIME after{};
    if (!GetFileTime(handle, nullptr, nullptr, &after)) {
      result = static_cast<int>(GetLastError());
    } else if (from_filetime(after) != t) {
      SetFileTime(handle, nullptr, nullptr, &before);
      result = error_not_held;
    }
  }
  CloseHandle(handle);
  return result;
}

std::string error_text(int code) {
  char text[512];
  const DWORD length =
      FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                     static_cast<DWORD>(code), 0, text, sizeof text, nullptr);
  std::string message(text, length);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == '.' || message.back() == ' ')) {
    message.pop_back();
  }
  return message.empty() ? "error " + std::to_string(code) : message;
}
