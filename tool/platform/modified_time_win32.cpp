#include <windows.h>

#include <string>

#include "listing/utf16_win32.hpp"
#include "platform/filetime_convert_win32.hpp"
#include "platform/modified_time.hpp"

namespace {

// Set by --created: the creation time is set to the same instant.
bool creation_too = false;

// Folders are never stamped, nor links to them. A link's attributes say
// whether it is one to a folder; an entry reached by its path alone (an
// undo) is asked.
bool is_folder(const file_ref& file) {
  if (file.kind == kind_directory) return true;
  if (file.kind != kind_link && file.name != nullptr) return false;
  const DWORD attributes = GetFileAttributesW(long_path(file.path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Opens the file for its attributes only: the data is never opened. Only
// an entry listed as a link is followed: any other is opened as it is, a
// reparse point itself, so that a file swapped for a link since it was
// listed never leads the run elsewhere.
HANDLE open_attributes(const file_ref& file, DWORD access) {
  const DWORD follow = file.kind == kind_link ? 0 : FILE_FLAG_OPEN_REPARSE_POINT;
  return CreateFileW(long_path(file.path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | follow, nullptr);
}

int last_error() {
  return static_cast<int>(GetLastError());
}

}  // namespace

// ERROR_DIRECTORY_NOT_SUPPORTED, which MinGW's headers lack.
const int platform_folder_error = 336;
// Windows keeps no owners to compare: its links are never refused.
const int platform_foreign_link_error = ERROR_CANT_ACCESS_FILE;
const int platform_read_only_error = ERROR_WRITE_PROTECT;

int check_write_time(const file_ref& file) {
  return is_folder(file) ? platform_folder_error : 0;
}

int read_modified_time(const file_ref& file, file_time& time) {
  if (is_folder(file)) return platform_folder_error;
  const HANDLE handle = open_attributes(file, FILE_READ_ATTRIBUTES);
  if (handle == INVALID_HANDLE_VALUE) return last_error();
  FILETIME written{};
  const int result = GetFileTime(handle, nullptr, nullptr, &written) ? 0 : last_error();
  CloseHandle(handle);
  time = {from_filetime(written), 0};
  return result;
}

int write_modified_time(const file_ref& file, const file_time& time) {
  if (is_folder(file)) return platform_folder_error;
  const HANDLE handle = open_attributes(file, FILE_WRITE_ATTRIBUTES);
  if (handle == INVALID_HANDLE_VALUE) return last_error();
  const FILETIME wanted = to_filetime(time.tick);
  const int result =
      SetFileTime(handle, creation_too ? &wanted : nullptr, nullptr, &wanted) ? 0 : last_error();
  CloseHandle(handle);
  return result;
}

bool creation_time_settable() {
  return true;
}

bool set_creation_time_too() {
  creation_too = true;
  return true;
}

int read_creation_time(const file_ref& file, file_time& time) {
  const HANDLE handle = open_attributes(file, FILE_READ_ATTRIBUTES);
  if (handle == INVALID_HANDLE_VALUE) return last_error();
  FILETIME created{};
  const int result = GetFileTime(handle, &created, nullptr, nullptr) ? 0 : last_error();
  CloseHandle(handle);
  time = {from_filetime(created), 0};
  return result;
}

int write_creation_time(const file_ref& file, const file_time& time) {
  const HANDLE handle = open_attributes(file, FILE_WRITE_ATTRIBUTES);
  if (handle == INVALID_HANDLE_VALUE) return last_error();
  const FILETIME wanted = to_filetime(time.tick);
  const int result = SetFileTime(handle, &wanted, nullptr, nullptr) ? 0 : last_error();
  CloseHandle(handle);
  return result;
}

file_time platform_precision(const file_time& t) {
  return {t.tick, 0};
}

std::string error_text(int code) {
  wchar_t text[512];
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                     static_cast<DWORD>(code), 0, text, sizeof text / sizeof text[0], nullptr);
  std::string message = narrow(std::wstring_view(text, length));
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == '.' || message.back() == ' ')) {
    message.pop_back();
  }
  return message.empty() ? "error " + std::to_string(code) : message;
}
