// Trees of many small folders, as a library of days is kept: the walk
// goes on into the next folder while the files of the ones before are
// set, and still says and does what one worker does.
#include <gtest/gtest.h>

#include "run/jobs_alike.hpp"

namespace {

constexpr int deep_levels = 40;  // deeper than where folders are finished one by one

// 150 days in months of a year, two to four photos a day, and one chain
// of deep_levels folders with a photo at each level.
void add_library(memory_system& fs) {
  for (int day = 0; day < 150; ++day) {
    const std::string folder =
        "2010/" + std::to_string(day / 30) + "/" + std::to_string(day % 30 + 1) + "/";
    for (int i = 0; i < 2 + day % 3; ++i) {
      add_file(fs,
               folder + "2010-0" + std::to_string(1 + day / 30) + "-1" + std::to_string(day % 10) +
                   " 10.1" + std::to_string(i) + ".jpg",
               made_at);
    }
  }
  std::string deep = "deep/";
  for (int level = 0; level < deep_levels; ++level) {
    add_file(fs, deep + "2011-01-01 00." + std::to_string(10 + level) + ".jpg", made_at);
    deep += "d/";
  }
}

TEST(RunTree, ManyWorkersSayAndDoWhatOneDoes) {
  expect_any_jobs_alike(add_library, {"--recursive"});
  // A folder that cannot be listed half way: said after the files before
  // it, and the walk goes on.
  expect_any_jobs_alike(
      [](memory_system& fs) {
        add_library(fs);
        fs.fault = [](const std::string& call, const std::string& path) {
          return call == "list" && path == "/photos/2010/2/15" ? EACCES : 0;
        };
      },
      {"--recursive"});
}

TEST(RunTree, FewFoldersAreOpenAtOnceAndAJournaledRunIsUndone) {
  memory_system fs;
  add_library(fs);
  fs.slow_writes = true;
  const std::map<std::string, file_time> before = times_in(fs);
  const memory_run r = run_in(fs, {"--recursive", "--jobs", "8"}, "/journal");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(times_in(fs), before);
  // A file is never set through a folder closed already (the memory system
  // fails it), and the folders are closed as the run goes: the walk's own
  // chain and a few left behind, not the tree's 200.
  EXPECT_LE(fs.most_folders_open, 2 * 64u + deep_levels + 2);
  EXPECT_TRUE(fs.folders_open.empty());
  // Times slow to set (as on a share): folders were opened ahead.
  EXPECT_GT(fs.folders_opened_ahead, 0);
  const memory_run undo = undo_in(fs, "/journal");
  EXPECT_EQ(undo.status, 0) << undo.err;
  std::map<std::string, file_time> after = times_in(fs);
  after.erase("/journal");
  EXPECT_EQ(after, before);
}

// Interrupted half way, the run still finishes what it handed out and
// closes every folder, those opened ahead of the walk too.
TEST(RunTree, AnInterruptedRunClosesEveryFolder) {
  for (const int after : {1, 40, 200}) {
    memory_system fs;
    add_library(fs);
    fs.slow_writes = true;
    fs.interrupt_after = after;
    const memory_run r = run_in(fs, {"--recursive", "--jobs", "8"});
    EXPECT_EQ(r.status, 130) << after;
    EXPECT_TRUE(fs.folders_open.empty()) << after;
    EXPECT_EQ(r.err.find("Bad file descriptor"), std::string::npos) << r.err;
  }
}

}  // namespace
