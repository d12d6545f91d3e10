#include "listing/holding_posix.hpp"

#include <dirent.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct deep_tree {
  fs::path top = fs::temp_directory_path() / ("velmora-deep-" + std::to_string(getpid()));
  // depth folders, each named "d" inside the one before, and in each
  // five files, some listed before its folder and some after.
  explicit deep_tree(int depth) {
    fs::remove_all(top);
    fs::path at = top;
    for (int level = 0; level <= depth; ++level) {
      fs::create_directory(at);
      for (const char* name : {"a", "b", "m", "x", "z"}) std::ofstream(at / name) << "";
      at /= "d";
    }
  }
  ~deep_tree() { fs::remove_all(top); }
};

std::size_t open_descriptors() {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator("/proc/self/fd"), {}));
}

struct walked {
  std::set<std::string> files;  // "level/name"
  std::vector<int> errors;      // each level's listing_error
  std::size_t most_open = 0;
  std::function<void(int level)> at_level;  // called as each level is entered
};

void walk(dir_listing* listing, int level, walked& w) {
  if (w.at_level) w.at_level(level);
  w.most_open = std::max(w.most_open, open_descriptors());
  while (const dir_entry* e = next_entry(listing)) {
    w.most_open = std::max(w.most_open, open_descriptors());  // on the way back up too
    const std::string name = e->name;
    if (name == "." || name == "..") continue;
    if (e->kind != kind_directory) {
      EXPECT_TRUE(w.files.insert(std::to_string(level) + "/" + name).second) << "twice: " << name;
      continue;
    }
    dir_listing* below = open_sublisting(listing, *e, nullptr);
    ASSERT_NE(below, nullptr) << std::strerror(errno);
    walk(below, level + 1, w);
    close_listing(below);
  }
  w.most_open = std::max(w.most_open, open_descriptors());  // opened again to find the end
  if (w.errors.size() <= static_cast<std::size_t>(level)) w.errors.resize(level + 1);
  w.errors[level] = listing_error(listing);
}

// A tree of 300 levels is walked whole, every file once, each level on
// where it was, with no more descriptors open than the bound.
TEST(Holding, ADeepTreeWithBoundedDescriptors) {
  const deep_tree tree(300);
  const std::size_t before = open_descriptors();
  dir_listing* top = open_listing(tree.top.c_str());
  ASSERT_NE(top, nullptr);
  walked w;
  walk(top, 0, w);
  close_listing(top);
  EXPECT_EQ(w.files.size(), 301u * 5);
  EXPECT_EQ(w.errors, std::vector<int>(301, 0));
  EXPECT_LE(w.most_open, before + 64 + 3);  // the chain's top, and the look at /proc
  EXPECT_EQ(open_descriptors(), before);
}

// A parked folder swapped for another of the same name while the walk is
// below it is not listed on: the other folder's files are never seen.
TEST(Holding, AFolderSwappedWhileParkedIsNotListedOn) {
  const deep_tree tree(100);
  fs::path tenth = tree.top;
  for (int level = 0; level < 10; ++level) tenth /= "d";
  dir_listing* top = open_listing(tree.top.c_str());
  ASSERT_NE(top, nullptr);
  walked w;
  w.at_level = [&](int level) {
    if (level != 100) return;
    fs::rename(tenth, tree.top / "away");
    fs::create_directory(tenth);
    std::ofstream(tenth / "intruder") << "";
  };
  walk(top, 0, w);
  close_listing(top);
  for (const std::string& file : w.files) EXPECT_EQ(file.find("intruder"), std::string::npos);
  EXPECT_EQ(w.errors[10], ESTALE);
  EXPECT_EQ(w.errors[9], 0);
  EXPECT_EQ(w.errors[100], 0);
}

}  // namespace
