#include <windows.h>

#include "platform/file_system.hpp"

bool is_remote_file_system(const char* folder, std::string& kind) {
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(folder, MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH) return false;
  if (full[0] == '\\' && full[1] == '\\') {
    kind = "a UNC path";
    return true;
  }
  char root[4] = {full[0], ':', '\\', '\0'};
  if (GetDriveTypeA(root) == DRIVE_REMOTE) {
    kind = "a network drive";
    return true;
  }
  return false;
}
