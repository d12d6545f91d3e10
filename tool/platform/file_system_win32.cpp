#include <windows.h>

#include "listing/utf16_win32.hpp"
#include "platform/file_system.hpp"

bool is_remote_file_system(const char* folder, std::string& kind) {
  const std::wstring full = long_path(folder);
  std::wstring_view path = full;
  if (path.starts_with(L"\\\\?\\UNC\\") ||
      (path.starts_with(L"\\\\") && !path.starts_with(L"\\\\?\\"))) {
    kind = "a UNC path";
    return true;
  }
  if (path.starts_with(L"\\\\?\\")) path.remove_prefix(4);
  if (path.size() < 2 || path[1] != L':') return false;
  const wchar_t root[4] = {path[0], L':', L'\\', L'\0'};
  if (GetDriveTypeW(root) == DRIVE_REMOTE) {
    kind = "a network drive";
    return true;
  }
  return false;
}
