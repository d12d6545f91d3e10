#include "listing/listing.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace fs = std::filesystem;

namespace {

struct scratch_folder {
  fs::path path;
  scratch_folder() {
    path = fs::temp_directory_path() /
           ("velmora-listing-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    fs::remove_all(path);
    fs::create_directory(path);
  }
  ~scratch_folder() { fs::remove_all(path); }
};

// Every entry's name and kind, read to the end of the listing.
std::map<std::string, int> list_all(dir_listing* listing) {
  std::map<std::string, int> entries;
  while (const dir_entry* e = next_entry(listing)) {
    EXPECT_EQ(e->name_length, static_cast<int>(std::string(e->name).size()));
    entries[e->name] = e->kind;
  }
  return entries;
}

TEST(Listing, EmptyFolderHoldsOnlyDotAndDotDot) {
  scratch_folder folder;
  dir_listing* listing = open_listing(folder.path.string().c_str());
  ASSERT_NE(listing, nullptr);
  EXPECT_EQ(list_all(listing),
            (std::map<std::string, int>{{".", kind_directory}, {"..", kind_directory}}));
  EXPECT_EQ(listing_error(listing), 0);
  // Run out: it stays run out.
  EXPECT_EQ(next_entry(listing), nullptr);
  EXPECT_EQ(next_entry(listing), nullptr);
  close_listing(listing);
}

TEST(Listing, KindsAndLongNames) {
  scratch_folder folder;
  const std::string longest(255, 'n');
  std::ofstream(folder.path / "2010-09-10 13.40.jpg") << "photo";
  std::ofstream(folder.path / longest) << "x";
  fs::create_directory(folder.path / "2010");
  dir_listing* listing = open_listing(folder.path.string().c_str());
  ASSERT_NE(listing, nullptr);
  const std::map<std::string, int> entries = list_all(listing);
  EXPECT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries.at("2010-09-10 13.40.jpg"), kind_regular);
  EXPECT_EQ(entries.at(longest), kind_regular);
  EXPECT_EQ(entries.at("2010"), kind_directory);
  close_listing(listing);
}

TEST(Listing, SublistingOfAnEntry) {
  scratch_folder folder;
  fs::create_directories(folder.path / "2010" / "09");
  std::ofstream(folder.path / "2010" / "a.jpg") << "photo";
  dir_listing* top = open_listing(folder.path.string().c_str());
  ASSERT_NE(top, nullptr);
  const dir_entry* e = nullptr;
  while ((e = next_entry(top)) != nullptr && std::string(e->name) != "2010") {
  }
  ASSERT_NE(e, nullptr);
  const std::string path = (folder.path / "2010").string();
  dir_listing* sub = open_sublisting(top, *e, path.c_str());
  ASSERT_NE(sub, nullptr);
  const std::map<std::string, int> entries = list_all(sub);
  EXPECT_EQ(entries.count("a.jpg"), 1u);
  EXPECT_EQ(entries.at("09"), kind_directory);
  close_listing(sub);
  close_listing(top);
}

TEST(Listing, FailuresAreNullWithErrno) {
  scratch_folder folder;
  errno = 0;
  EXPECT_EQ(open_listing((folder.path / "missing").string().c_str()), nullptr);
  EXPECT_EQ(errno, ENOENT);
  errno = 0;
  EXPECT_EQ(next_entry(nullptr), nullptr);
  EXPECT_EQ(errno, EBADF);
  close_listing(nullptr);
}

}  // namespace
