// What only the Windows listing has: a fixed-size search pattern.

#include <windows.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "listing/listing_win32.hpp"

namespace {

TEST(ListingOnWindows, ANameLongerThanAnyFolderIsAFailure) {
  errno = 0;
  EXPECT_EQ(open_listing(std::string(300, 'x').c_str()), nullptr);
  EXPECT_NE(errno, 0);
}

TEST(ListingOnWindows, MissingFolder) {
  errno = 0;
  EXPECT_EQ(open_listing("no such folder here"), nullptr);
  EXPECT_EQ(errno, ENOENT);
}

TEST(ListingOnWindows, ErrorsKeepTheirReason) {
  EXPECT_EQ(errno_from_windows(ERROR_ACCESS_DENIED), EACCES);
  EXPECT_EQ(errno_from_windows(ERROR_PATH_NOT_FOUND), ENOENT);
  EXPECT_EQ(errno_from_windows(ERROR_DIRECTORY), ENOTDIR);
  EXPECT_EQ(errno_from_windows(ERROR_NETNAME_DELETED), EIO);
  // A file is not a folder to list.
  const char* file = "velmora-not-a-folder.txt";
  CloseHandle(CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  errno = 0;
  EXPECT_EQ(open_listing(file), nullptr);
  EXPECT_NE(errno, 0);
  DeleteFileA(file);
}

TEST(ListingOnWindows, RootOfADrive) {
  dir_listing* root = open_listing("C:\\");
  ASSERT_NE(root, nullptr);
  int count = 0;
  while (next_entry(root) != nullptr) ++count;
  EXPECT_GT(count, 0);
  EXPECT_EQ(listing_error(root), 0);
  close_listing(root);
}

}  // namespace
