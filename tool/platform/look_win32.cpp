#include <windows.h>

#include "listing/utf16_win32.hpp"
#include "platform/filetime_convert_win32.hpp"
#include "platform/look.hpp"

namespace {

// What a handle shows: the kind, the number and the last-modified time;
// and which file it is, and how many names it has.
int facts_of(HANDLE handle, int& kind, unsigned long long& number, file_time& mtime,
             file_facts& which) {
  FILE_ATTRIBUTE_TAG_INFO tag{};
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &tag, sizeof tag) ||
      !GetFileInformationByHandle(handle, &info)) {
    return static_cast<int>(GetLastError());
  }
  const bool link =
      (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
      (tag.ReparseTag == IO_REPARSE_TAG_SYMLINK || tag.ReparseTag == IO_REPARSE_TAG_MOUNT_POINT);
  kind = link                                              ? kind_link
         : (tag.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? kind_directory
                                                           : kind_regular;
  number = (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  mtime = {from_filetime(info.ftLastWriteTime), 0};
  which.device = info.dwVolumeSerialNumber;
  which.file = number;
  which.names = info.nNumberOfLinks;
  return 0;
}

HANDLE open_to_look(const std::wstring& path, DWORD follow) {
  return CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                     FILE_FLAG_BACKUP_SEMANTICS | follow, nullptr);
}

}  // namespace

// Windows keeps no owner a run could compare: every owner is 0.
int look_at_entry(const file_ref& file, file_facts& facts) {
  const std::wstring path = long_path(file.path);
  facts = {};
  HANDLE handle = open_to_look(path, FILE_FLAG_OPEN_REPARSE_POINT);
  if (handle == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
  int error = facts_of(handle, facts.kind, facts.number, facts.mtime, facts);
  CloseHandle(handle);
  if (error != 0 || facts.kind != kind_link) return error;
  handle = open_to_look(path, 0);
  if (handle == INVALID_HANDLE_VALUE) {
    facts.target_error = static_cast<int>(GetLastError());
    return 0;
  }
  unsigned long long target_number = 0;
  error = facts_of(handle, facts.target_kind, target_number, facts.mtime, facts);
  CloseHandle(handle);
  if (error != 0) facts.target_error = error;
  return 0;
}

unsigned runner_id() {
  return 0;
}
