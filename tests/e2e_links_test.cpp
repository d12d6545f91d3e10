// It touches only what it was given: a file swapped for a link while the
// run goes, a link another user planted, and pipes and devices named as a
// journal, a zone or a sidecar. Against the real system calls.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include <gtest/gtest.h>

#include "tool_runner.hpp"

namespace {

#define LINUX_ONLY() \
  if (testing_windows_build()) GTEST_SKIP() << "Linux's links, users and pipes"

// A child that exchanges two names in a folder, over and over, as
// renameat2(RENAME_EXCHANGE) does, until it is stopped.
struct exchanger {
  pid_t pid = -1;
  exchanger(const std::string& a, const std::string& b) {
    pid = fork();
    if (pid == 0) {
      for (;;) syscall(SYS_renameat2, AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), 2 /* EXCHANGE */);
    }
  }
  ~exchanger() {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
};

// A root-owned file outside the folder, which no run may touch.
std::string make_victim(const scratch& dir) {
  std::filesystem::create_directory(dir.at("outside"));
  make_file(dir.at("outside/victim"));
  return dir.at("outside/victim");
}

TEST(FilesAsRoot, AFileSwappedForALinkWhileTheRunGoesNeverLeadsItOut) {
  LINUX_ONLY();
  if (geteuid() != 0) GTEST_SKIP() << "needs root: the victim is root's, the link nobody's";
  scratch dir;
  const std::string victim = make_victim(dir);
  std::filesystem::create_directory(dir.at("photos"));
  make_file(dir.at("photos/2010-01-01 00.00.jpg"));
  std::filesystem::create_symlink(victim, dir.at("photos/2011-01-01 00.00.jpg"));
  give_to_nobody(dir.at("photos/2011-01-01 00.00.jpg"));  // planted: never followed as a link
  const exchanger swap(dir.at("photos/2010-01-01 00.00.jpg"),
                       dir.at("photos/2011-01-01 00.00.jpg"));
  for (int round = 0; round < 200; ++round) {
    const std::vector<std::string> journal = {"--journal", dir.at("J")};
    const tool_result r =
        run_tool(dir.at("photos"), round % 2 ? journal : std::vector<std::string>{});
    ASSERT_EQ(mtime_of(victim), old_mtime) << "round " << round << ": " << r.err;
  }
  const tool_result undo = run_tool(dir.path, {"--undo", "J"});
  EXPECT_EQ(mtime_of(victim), old_mtime) << undo.err;
}

// A link planted in a shared folder by another user (nobody) is left alone
// when root runs there, and so is its sidecar; root's own link works.
TEST(FilesAsRoot, ALinkAnotherUserPlantedIsLeftAlone) {
  LINUX_ONLY();
  if (geteuid() != 0) GTEST_SKIP() << "needs root and a second user";
  scratch dir;
  const std::string victim = make_victim(dir);
  std::filesystem::create_directory(dir.at("shared"));
  std::filesystem::permissions(dir.at("shared"),
                               std::filesystem::perms::all | std::filesystem::perms::sticky_bit);
  const std::string planted = dir.at("shared/2010-01-01 00.00.jpg");
  std::filesystem::create_symlink(victim, planted);
  give_to_nobody(planted);
  std::ofstream(dir.at("shared/2010-01-01 00.00.jpg.json"))
      << R"({"title":"2010-01-01 00.00.jpg","photoTakenTime":{"timestamp":"86400"}})";
  make_file(dir.at("outside/mine"));
  std::filesystem::create_symlink(dir.at("outside/mine"), dir.at("shared/2012-01-01 00.00.jpg"));
  for (const std::vector<std::string>& words :
       std::vector<std::vector<std::string>>{{"jpg"}, {"--takeout", "jpg"}}) {
    const tool_result r = run_tool(dir.at("shared"), words);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(contains(r.err,
                         "'./2010-01-01 00.00.jpg': it is a link that user 65534 owns, to a "
                         "file of user 0"))
        << r.err;
    EXPECT_EQ(mtime_of(victim), old_mtime);
    EXPECT_EQ(mtime_of(dir.at("outside/mine")), utc_ns(2012, 1, 1, 0, 0));
  }
}

// Whether a reader ever opened the pipe: a writer that waits to open it
// would have gone on.
struct pipe_watch {
  std::string fifo;
  pid_t writer = -1;
  explicit pipe_watch(const std::string& path) : fifo(path) {
    if (mkfifo(path.c_str(), 0666) != 0) return;
    writer = fork();
    if (writer == 0) {
      const int fd = open(path.c_str(), O_WRONLY);  // waits for a reader
      _exit(fd >= 0 ? 7 : 8);
    }
  }
  bool opened() {
    int status = 0;
    if (waitpid(writer, &status, WNOHANG) == writer) return true;
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
    return false;
  }
};

TEST(Links, PipesAndDevicesAreNeverOpenedAsAJournalAZoneOrASidecar) {
  LINUX_ONLY();
  scratch dir;
  make_file(dir.at("2010-01-01 00.00.jpg"));
  make_file(dir.at("2011-01-01 00.00.jpg"));
  make_file(dir.at("2012-01-01 00.00.jpg"));
  pipe_watch sidecar(dir.at("2010-01-01 00.00.jpg.json"));
  pipe_watch through_link(dir.at("target.fifo"));
  std::filesystem::create_symlink("target.fifo", dir.at("2011-01-01 00.00.jpg.json"));
  std::filesystem::create_symlink("/dev/zero", dir.at("2012-01-01 00.00.jpg.json"));
  run_setup quick;
  quick.timeout_seconds = 10;
  const tool_result r = run_tool(dir.path, {"--takeout", "jpg"}, quick);
  EXPECT_FALSE(r.timed_out);
  for (const std::string name : {"2010", "2011", "2012"}) {
    EXPECT_TRUE(contains(r.err, "its sidecar './" + name +
                                    "-01-01 00.00.jpg.json': it is not a "
                                    "regular file"))
        << r.err;
  }
  EXPECT_FALSE(sidecar.opened());
  EXPECT_FALSE(through_link.opened());

  pipe_watch journal(dir.at("journal.fifo"));
  pipe_watch zone(dir.at("zone.fifo"));
  const tool_result j = run_tool(dir.path, {"--journal", "journal.fifo", "jpg"}, quick);
  EXPECT_EQ(j.status, 2) << j.err;
  quick.environment = {"TZ=" + dir.at("zone.fifo")};
  const tool_result z = run_tool(dir.path, {"--local", "jpg"}, quick);
  EXPECT_EQ(z.status, 2) << z.err;
  EXPECT_FALSE(j.timed_out || z.timed_out);
  EXPECT_FALSE(journal.opened());
  EXPECT_FALSE(zone.opened());
  EXPECT_EQ(mtime_of(dir.at("2010-01-01 00.00.jpg")), old_mtime);
}

TEST(Links, AWordThatIsAPathIsAUsageErrorThatTouchesNothing) {
  LINUX_ONLY();
  scratch dir;
  std::filesystem::create_directory(dir.at("Photos"));
  make_file(dir.at("Photos/2010-01-01 00.00.jpg"));
  make_file(dir.at("2010-01-01 00.00.jpg"));
  const folder_state before = snapshot(dir.path);
  for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
           {dir.at("Photos"), "jpg"}, {"/no/such/folder"}, {"."}, {"Photos/", "+1"}}) {
    const tool_result r = run_tool(dir.path, words);
    EXPECT_EQ(r.status, 2) << words[0];
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(contains(r.err, "Try 'velmora --help'")) << r.err;
  }
  EXPECT_TRUE(contains(run_tool(dir.path, {dir.at("Photos"), "jpg"}).err,
                       "run 'velmora --directory " + dir.at("Photos") + " jpg'"));
  EXPECT_TRUE(contains(run_tool(dir.path, {"/no/such/folder"}).err, "no such folder exists"));
  expect_only_stamped(before, snapshot(dir.path), {});
}

// A sidecar another user owns cannot be read without touching its access
// time; every sidecar of the one who runs velmora still keeps its own.
TEST(FilesAsRoot, ASidecarOfAnotherUserCostsNoOtherSidecarItsAccessTime) {
  LINUX_ONLY();
  if (geteuid() != 0) GTEST_SKIP() << "needs root to act as nobody";
  scratch dir;
  for (const std::string name : {"a", "b", "c"}) {
    const std::string photo = dir.at(name + ".jpg");
    make_file(photo);
    make_file(photo + ".json",
              R"({"title":")" + name + R"(.jpg","photoTakenTime":{"timestamp":"1258375918"}})");
    give_to_nobody(photo);
    if (name != "a") give_to_nobody(photo + ".json");  // a's sidecar is root's
  }
  const tool_result r = run_tool(dir.path, {"--takeout", "jpg"}, unprivileged());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(atime_of(dir.at("b.jpg.json")), old_atime);
  EXPECT_EQ(atime_of(dir.at("c.jpg.json")), old_atime);
}

}  // namespace
