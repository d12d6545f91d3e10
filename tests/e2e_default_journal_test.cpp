// The journal every run keeps by default, end to end: a newcomer's
// mistakes undone by 'velmora --undo' alone, a journal that cannot be kept,
// and a run interrupted midway.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "tool_runner.hpp"

namespace {

std::vector<std::string> make_named(const std::string& folder,
                                    const std::vector<std::string>& names) {
  std::filesystem::create_directories(folder);
  for (const std::string& name : names) {
    make_file(folder + "/" + name);
    set_mtime(folder + "/" + name, old_mtime / 100 * 100);  // as Windows keeps it too
  }
  return names;
}

// The wrong zone, the wrong folder, and a run with no words (what a
// double-click on Windows does): each undone by 'velmora --undo' alone,
// newest first.
TEST(DefaultJournal, ANewcomersThreeMistakesAreUndoneByUndoAlone) {
  scratch dir;
  make_named(dir.at("trip"), {"IMG_20100910_134012.jpg", "IMG_20100911_080000.jpg"});
  make_named(dir.at("home"), {"2012-01-01 10.00.jpg", "notes 2013-01-01 09.00.txt"});
  make_named(dir.at("home/Photos"), {"2014-05-05 05.05.jpg"});
  const folder_state before = snapshot(dir.path);
  EXPECT_EQ(run_tool(dir.at("trip"), {"--auto", "jpg"}).status, 0);  // meant --local
  EXPECT_EQ(run_tool(dir.at("home"), {"jpg"}).status, 0);            // meant home/Photos
  run_tool(dir.at("home/Photos"), {});                               // no words at all
  EXPECT_NE(snapshot(dir.path), before);
  for (int mistake = 0; mistake < 3; ++mistake) {
    const tool_result undo = run_tool(dir.path, {"--undo"});
    EXPECT_EQ(undo.status, 0) << undo.err;
    EXPECT_TRUE(contains(undo.err, "undoing the run in ")) << undo.err;
  }
  EXPECT_EQ(snapshot(dir.path), before);
  const tool_result list = run_tool(dir.path, {"--undo", "--list"});
  EXPECT_EQ(count_lines(list.out), 3) << list.out;
  EXPECT_TRUE(contains(list.out, "\tundone")) << list.out;
  const tool_result again = run_tool(dir.path, {"--undo"});
  EXPECT_TRUE(contains(again.err, "nothing is left to undo")) << again.err;
}

TEST(DefaultJournal, OneThatCannotBeKeptStopsTheRunBeforeAnythingIsTouched) {
  scratch dir;
  make_named(dir.path, {"2010-09-10 13.40.jpg"});
  std::ofstream(dir.at("not a folder")) << "x";
  const folder_state before = snapshot(dir.path);
  run_setup nowhere;
  nowhere.environment = {"XDG_STATE_HOME=" + dir.at("not a folder")};
  // Wine sets LOCALAPPDATA itself: there a file takes the journal folder's place.
  if (testing_windows_build()) std::ofstream(state_home() + "/velmora") << "x";
  const tool_result r = run_tool(dir.path, {"jpg"}, nowhere);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(contains(r.err, "--no-journal runs without one")) << r.err;
  expect_only_stamped(before, snapshot(dir.path), {});
  EXPECT_EQ(run_tool(dir.path, {"--no-journal", "jpg"}, nowhere).status, 0);
}

// A journal of 100 runs drops its oldest as the next begins (on Windows
// too, where the file a run holds open cannot be replaced), and its
// newest runs are still undone.
TEST(DefaultJournal, AFullOneDropsItsOldestRunsAndTheNewestUndo) {
  scratch dir;
  make_named(dir.path, {"2010-09-10 13.40.jpg", "2011-01-02 03.04.png"});
  const folder_state before = snapshot(dir.path);
  // One run, and 99 older ones before it that stamped nothing.
  const std::string journal = state_home() + "/velmora/journal";
  std::string text;
  ASSERT_EQ(run_tool(dir.path, {"jpg"}).status, 0);
  {
    std::ifstream in(journal, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), {});
  }
  const std::size_t folder = text.find("folder\t");
  const std::size_t file = text.find("file\t");
  ASSERT_NE(file, std::string::npos) << text;
  ASSERT_LT(folder, file) << text;
  std::string older;
  for (int run = 0; run < 99; ++run) older += text.substr(folder, file - folder);
  std::ofstream(journal, std::ios::binary) << text.insert(folder, older);
  const tool_result r = run_tool(dir.path, {"png"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(count_lines(run_tool(dir.path, {"--undo", "--list"}).out), 75);
  EXPECT_FALSE(std::filesystem::exists(journal + ".new"));
  for (int run = 0; run < 2; ++run) EXPECT_EQ(run_tool(dir.path, {"--undo"}).status, 0);
  EXPECT_EQ(snapshot(dir.path), before);
}

// Ctrl-C midway: the run finishes the files it handed out, keeps their
// records, says it was interrupted and how to undo, and ends with 130;
// the undo puts every file back.
TEST(DefaultJournal, AnInterruptedRunSaysSoAndIsUndone) {
  if (testing_windows_build()) GTEST_SKIP() << "a POSIX signal";
  scratch dir;
  std::vector<std::string> names;
  for (int i = 0; i < 2500; ++i) {  // more than a pipe holds: the run waits on it
    names.push_back("2010-01-" + std::to_string(10 + i / 1440 % 18) + " " +
                    std::to_string(i / 60 % 24) + "." + std::to_string(i % 60) + " " +
                    std::to_string(i) + ".jpg");
  }
  make_named(dir.path, names);
  const folder_state before = snapshot(dir.path);
  int out[2];
  int err[2];
  ASSERT_EQ(pipe(out), 0);
  ASSERT_EQ(pipe(err), 0);
  const std::string state = state_home();
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], STDOUT_FILENO);
    dup2(err[1], STDERR_FILENO);
    close(out[0]);
    close(err[0]);
    if (chdir(dir.path.c_str()) != 0) _exit(126);
    setenv("XDG_STATE_HOME", state.c_str(), 1);
    execl(tool_under_test().c_str(), "velmora", "jpg", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(out[1]);
  close(err[1]);
  char buffer[4096];
  ssize_t got = read(out[0], buffer, sizeof buffer);  // the run is under way
  ASSERT_GT(got, 0);
  kill(pid, SIGINT);
  while ((got = read(out[0], buffer, sizeof buffer)) > 0) {
  }
  std::string said;
  while ((got = read(err[0], buffer, sizeof buffer)) > 0) said.append(buffer, got);
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status)) << said;
  EXPECT_EQ(WEXITSTATUS(status), 130) << said;
  EXPECT_TRUE(contains(said, "velmora: interrupted: ")) << said;
  EXPECT_TRUE(contains(said, "'velmora --undo' puts back what was stamped")) << said;
  const tool_result undo = run_tool(dir.path, {"--undo"});
  EXPECT_EQ(undo.status, 0) << undo.err;
  EXPECT_EQ(snapshot(dir.path), before);
}

// A file deeper than the longest path the system takes at once (PATH_MAX)
// is stamped by the walk, and its undo reaches it the same way, folder by
// folder from the run's folder.
TEST(DefaultJournal, AFileDeeperThanTheLongestPathIsUndone) {
  if (testing_windows_build()) GTEST_SKIP() << "Linux's PATH_MAX";
  scratch dir;
  std::string deep = "deep";
  const std::string name(200, 'd');
  std::filesystem::create_directory(dir.at(deep));
  // Made folder by folder, as no single path reaches it.
  const int top = open(dir.at(deep).c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(top, 0);
  int folder = top;
  for (int level = 0; level < 25; ++level) {  // 25 * 201 characters: past 4096
    ASSERT_EQ(mkdirat(folder, name.c_str(), 0755), 0);
    const int below = openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY);
    if (folder != top) close(folder);
    folder = below;
  }
  const int photo = openat(folder, "2010-09-10 13.40.jpg", O_WRONLY | O_CREAT, 0644);
  ASSERT_GE(photo, 0);
  close(photo);
  struct stat made;
  ASSERT_EQ(fstatat(folder, "2010-09-10 13.40.jpg", &made, 0), 0);
  const tool_result r = run_tool(dir.at(deep), {"--recursive", "jpg"});
  EXPECT_EQ(r.status, 0) << r.err;
  struct stat stamped;
  ASSERT_EQ(fstatat(folder, "2010-09-10 13.40.jpg", &stamped, 0), 0);
  EXPECT_EQ(stamped.st_mtim.tv_sec, utc_ns(2010, 9, 10, 13, 40) / 1'000'000'000);
  const tool_result undo = run_tool(dir.path, {"--undo"});
  EXPECT_EQ(undo.status, 0) << undo.err;
  struct stat back;
  ASSERT_EQ(fstatat(folder, "2010-09-10 13.40.jpg", &back, 0), 0);
  EXPECT_EQ(back.st_mtim.tv_sec, made.st_mtim.tv_sec);
  EXPECT_EQ(back.st_mtim.tv_nsec, made.st_mtim.tv_nsec);
  close(folder);
  close(top);
}

}  // namespace
