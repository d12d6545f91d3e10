// The listing's rarer paths end to end: entries whose kind the file system
// does not report, a folder that cannot be read to its end, a tree deeper
// than the descriptors a process may hold, and arguments that no layer may
// expand.

#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "tool_runner.hpp"

namespace {

const long long photo_time = utc_ns(2010, 9, 10, 13, 40);

// Each kind once, so that a run can be compared with and without kinds.
void make_every_kind(const scratch& dir) {
  make_file(dir.at("2010-09-10 13.40.jpg"));
  make_file(dir.at("target"));
  std::filesystem::create_directory(dir.at("2010-09-10 13.40.dir"));
  std::filesystem::create_directory(dir.at("folder"));
  std::filesystem::create_symlink("target", dir.at("2010-09-10 13.40.link"));
  std::filesystem::create_symlink("folder", dir.at("2010-09-10 13.40.folderlink"));
  mkfifo(dir.at("2010-09-10 13.40.fifo").c_str(), 0644);
  for (const char* name : {"2010-09-10 13.40.dir", "folder", "2010-09-10 13.40.link",
                           "2010-09-10 13.40.folderlink", "2010-09-10 13.40.fifo"})
    set_old_times(dir.at(name));
}

TEST(Listing, EntriesOfUnknownKindAreLookedUp) {
  if (testing_windows_build()) GTEST_SKIP() << "the seam is for Linux";
  scratch known;
  scratch unknown;
  make_every_kind(known);
  make_every_kind(unknown);
  const tool_result expected = run_tool(known.path, {"--recursive"});
  const tool_result r =
      run_tool(unknown.path, {"--recursive"}, with_fault_seam({"VELMORA_UNKNOWN_KINDS=1"}));
  // Told nothing by the listing, it reaches the same verdict on every entry.
  EXPECT_EQ(sorted_lines(r.out), sorted_lines(expected.out));
  EXPECT_EQ(sorted_lines(r.err), sorted_lines(expected.err));
  EXPECT_EQ(r.status, expected.status);
  EXPECT_TRUE(contains(r.err, "'./2010-09-10 13.40.folderlink': it is a folder")) << r.err;
  EXPECT_EQ(mtime_of(unknown.at("target")), photo_time);
  EXPECT_EQ(mtime_of(unknown.at("2010-09-10 13.40.jpg")), photo_time);
  EXPECT_EQ(mtime_of(unknown.at("2010-09-10 13.40.dir")), old_mtime);
  EXPECT_EQ(mtime_of(unknown.at("folder")), old_mtime);
}

TEST(Listing, AFolderThatBreaksOffIsReported) {
  if (testing_windows_build()) GTEST_SKIP() << "the seam is for Linux";
  scratch dir;
  for (int day = 10; day < 20; ++day)
    make_file(dir.at("2010-09-" + std::to_string(day) + " 13.40.jpg"));
  const folder_state before = snapshot(dir.path);
  // Four entries, then an error; "." and ".." may be among them or not.
  const tool_result r = run_tool(dir.path, {}, with_fault_seam({"VELMORA_FAIL_LISTING_AFTER=4"}));
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(contains(r.err, "velmora: cannot read the folder '.': Input/output error")) << r.err;
  // What was listed was stamped; the rest was never reached.
  std::set<std::string> stamped;
  for (const auto& [path, state] : snapshot(dir.path)) {
    if (state.mtime != old_mtime) stamped.insert(path);
  }
  EXPECT_GE(stamped.size(), 2u);
  EXPECT_LE(stamped.size(), 4u);
  EXPECT_EQ(count_lines(r.out), static_cast<int>(stamped.size()));
  expect_only_stamped(before, snapshot(dir.path), stamped);
}

// A tree 1,100 levels deep, under the common limit of 1,024 descriptors:
// every level's photo is stamped.
TEST(Listing, ATreeDeeperThanTheDescriptorLimit) {
  if (testing_windows_build()) GTEST_SKIP() << "Windows holds no descriptor per folder level";
  scratch dir;
  std::string at = dir.path;
  for (int level = 0; level < 1100; ++level) {
    make_file(at + "/2010-09-10 13.40.jpg");
    at += "/d";
    std::filesystem::create_directory(at);
  }
  run_setup limited;
  limited.max_files = 1024;
  const tool_result r = run_tool(dir.path, {"--recursive", "--quiet", "jpg"}, limited);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(mtime_of(at + "/../2010-09-10 13.40.jpg"), photo_time);
  EXPECT_EQ(mtime_of(dir.at("2010-09-10 13.40.jpg")), photo_time);
}

// The Windows build's runtime would expand '*' itself if let.
TEST(Listing, WildcardsReachTheToolAsTyped) {
  scratch dir;
  make_file(dir.at("2010-09-10 13.40.jpg"));
  const tool_result r = run_tool(dir.path, {"*.jpg"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(contains(r.err, "no file in '.' has the extension '*.jpg'")) << r.err;
  EXPECT_EQ(mtime_of(dir.at("2010-09-10 13.40.jpg")), old_mtime);
}

}  // namespace
