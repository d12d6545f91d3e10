// Setting times through the Windows layer, read back with Windows' own calls.

#include <windows.h>

#include <gtest/gtest.h>

#include "listing/utf16_win32.hpp"
#include "platform/filetime_convert_win32.hpp"
#include "platform/modified_time.hpp"

namespace {

FILETIME times_of(const std::string& path, FILETIME& created) {
  const HANDLE h = CreateFileW(long_path(path).c_str(), FILE_READ_ATTRIBUTES, 7, nullptr,
                               OPEN_EXISTING, 0, nullptr);
  FILETIME written{};
  GetFileTime(h, &created, nullptr, &written);
  CloseHandle(h);
  return written;
}

TEST(FileTimeOnWindows, CreatedSetsBothTimesInOneCall) {
  const std::string path = "velmora-created \xCE\xB1.jpg";
  CloseHandle(
      CreateFileW(long_path(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  const file_ref file{nullptr, nullptr, kind_unknown, path.c_str()};
  const file_time t{tick_time{ticks{129'285'996'000'000'000}}, 0};  // 2010-09-10 13:40
  FILETIME created_before{};
  times_of(path, created_before);
  ASSERT_EQ(write_modified_time(file, t), 0);
  FILETIME created{};
  EXPECT_EQ(from_filetime(times_of(path, created)), t.tick);
  const tick_time created_without = from_filetime(created);
  ASSERT_TRUE(set_creation_time_too());
  ASSERT_EQ(write_modified_time(file, t), 0);
  EXPECT_EQ(from_filetime(times_of(path, created)), t.tick);
  DeleteFileW(long_path(path).c_str());
  // Wine keeps no creation time on Linux: it reports another time as one.
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  if (ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr) {
    GTEST_SKIP() << "Wine does not keep creation times";
  }
  EXPECT_EQ(created_without, from_filetime(created_before));  // left alone without --created
  EXPECT_EQ(from_filetime(created), t.tick);
}

}  // namespace
