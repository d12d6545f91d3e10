#include <windows.h>

#include <cstdlib>

#include "listing/utf16_win32.hpp"
#include "platform/state_folder.hpp"

std::optional<std::string> default_journal(std::string& problem) {
  const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
  if (local == nullptr || *local == L'\0') {
    problem = "no folder to keep it in (LOCALAPPDATA is not set)";
    return std::nullopt;
  }
  const std::string folder = narrow(local) + "\\velmora";
  if (!CreateDirectoryW(long_path(folder).c_str(), nullptr) &&
      GetLastError() != ERROR_ALREADY_EXISTS) {
    problem = "cannot make its folder '" + folder + "'";
    return std::nullopt;
  }
  return folder + "\\journal";
}
