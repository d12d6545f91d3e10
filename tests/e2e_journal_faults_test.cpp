// The journal's promise on the bad paths: whatever stops a run (a full
// disk, a kill, a closed output, a file that moves), every file it stamped
// can be put back to the nanosecond, and --undo trusts no line it reads.

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include <gtest/gtest.h>

#include "tool_runner.hpp"

namespace {

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void write_file(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// The old time of the i-th photo: its own, to the 100 ns that Windows keeps.
long long photo_mtime(std::size_t i) {
  return 981'173'106'123'456'700LL + static_cast<long long>(i) * 1'000'300LL;
}

// count dated files, each with an old time of its own.
std::vector<std::string> make_photos(const std::string& folder, int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) {
    names.push_back("2010-01-01 " + std::to_string(i / 60 % 24) + "." + std::to_string(i % 60) +
                    " " + std::string(40, 'x') + std::to_string(i) + ".jpg");
    make_file(folder + "/" + names.back());
    set_mtime(folder + "/" + names.back(), photo_mtime(names.size() - 1));
  }
  return names;
}

void expect_all_back(const std::string& folder, const std::vector<std::string>& names) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    ASSERT_EQ(mtime_of(folder + "/" + names[i]), photo_mtime(i)) << names[i];
  }
}

#define LINUX_ONLY() \
  if (testing_windows_build()) GTEST_SKIP() << "Linux faults"

TEST(JournalFaults, AClosedOutputNeverBecomesTheJournal) {
  LINUX_ONLY();
  scratch dir;
  std::filesystem::create_directory(dir.at("p"));
  const std::vector<std::string> names = make_photos(dir.at("p"), 5);
  run_setup closed;
  closed.close_stdout = true;
  const tool_result r = run_tool(dir.at("p"), {"--journal", "../J", "jpg"}, closed);
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(contains(r.err, "cannot write to standard output: Bad file descriptor")) << r.err;
  EXPECT_EQ(read_file(dir.at("J")).find("Setting"), std::string::npos);
  const tool_result undo = run_tool(dir.path, {"--undo", "J"});
  EXPECT_EQ(undo.status, 0) << undo.err;
  expect_all_back(dir.at("p"), names);
}

TEST(JournalFaults, AFullDiskLeavesAJournalThatUndoesEverything) {
  LINUX_ONLY();
  scratch dir;
  std::filesystem::create_directory(dir.at("p"));
  const std::vector<std::string> names = make_photos(dir.at("p"), 1500);
  // 20,000 bytes hold about a hundred records: the write that fills it stops short.
  tool_result r = run_tool(dir.at("p"), {"--journal", "../J", "jpg"},
                           with_fault_seam({"VELMORA_WRITE_LIMIT=20000"}));
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(contains(r.err, "cannot write the journal")) << r.err;
  const std::string journal = read_file(dir.at("J"));
  EXPECT_EQ(journal.back(), '\n');  // cut back to its last whole record
  // A later run appends to it on a fresh line, and one undo restores both.
  r = run_tool(dir.at("p"), {"--journal", "../J", "+1", "jpg"});
  EXPECT_EQ(r.status, 0) << r.err;
  r = run_tool(dir.path, {"--undo", "J"});
  EXPECT_EQ(r.status, 0) << r.err;
  expect_all_back(dir.at("p"), names);
}

TEST(JournalFaults, ATornLastRecordIsPassedOverAndCutOff) {
  LINUX_ONLY();
  scratch dir;
  std::filesystem::create_directory(dir.at("p"));
  const std::vector<std::string> names = make_photos(dir.at("p"), 3);
  ASSERT_EQ(run_tool(dir.at("p"), {"--journal", "../J", "jpg"}).status, 0);
  std::ofstream(dir.at("J"), std::ios::app) << "file\t./2010-01-01 0.0 xx";  // as a kill leaves it
  tool_result r = run_tool(dir.path, {"--undo", "J", "--dry-run"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(contains(r.err, "is torn")) << r.err;
  EXPECT_EQ(count_lines(r.out), 3);
  r = run_tool(dir.at("p"), {"--journal", "../J", "+1", "jpg"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(contains(r.err, "ended in a torn record")) << r.err;
  r = run_tool(dir.path, {"--undo", "J"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_FALSE(contains(r.err, "torn")) << r.err;
  expect_all_back(dir.at("p"), names);
}

// Killed at any moment, a run leaves a journal that puts every file back.
TEST(JournalFaults, AKillAtAnyMomentCanBeUndone) {
  LINUX_ONLY();
  scratch dir;
  std::filesystem::create_directory(dir.at("p"));
  const std::vector<std::string> names = make_photos(dir.at("p"), 2000);
  std::mt19937 random(20261208);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(40);
  int kills = 0;
  for (; kills < 200 && std::chrono::steady_clock::now() < deadline; ++kills) {
    std::filesystem::remove(dir.at("J"));
    const pid_t pid = fork();
    if (pid == 0) {
      if (chdir(dir.at("p").c_str()) != 0) _exit(126);
      const int null = open("/dev/null", O_WRONLY);
      dup2(null, 1);
      dup2(null, 2);
      execl(tool_under_test().c_str(), "velmora", "--journal", "../J", "jpg",
            static_cast<char*>(nullptr));
      _exit(127);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 6000));
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    // Killed before the journal's first line was written, it stamped nothing.
    if (!std::filesystem::exists(dir.at("J")) || read_file(dir.at("J")).empty()) {
      expect_all_back(dir.at("p"), names);
      continue;
    }
    const tool_result r = run_tool(dir.path, {"--undo", "J"});
    ASSERT_NE(r.status, 2) << r.err;
    ASSERT_EQ(r.status, 0) << r.err;
    expect_all_back(dir.at("p"), names);
    if (HasFatalFailure()) return;
  }
  EXPECT_GE(kills, 50);
}

// The default journal, kept across runs, pruned as it grows past its 100
// runs: a run killed at any moment is undone by 'velmora --undo' alone.
TEST(JournalFaults, AKillAtAnyMomentIsUndoneByUndoAlone) {
  LINUX_ONLY();
  scratch dir;
  std::filesystem::create_directory(dir.at("p"));
  const std::vector<std::string> names = make_photos(dir.at("p"), 2000);
  const std::string state = state_home();
  std::filesystem::remove_all(state + "/velmora");
  std::mt19937 random(20261209);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(40);
  int kills = 0;
  for (; kills < 150 && std::chrono::steady_clock::now() < deadline; ++kills) {
    const pid_t pid = fork();
    if (pid == 0) {
      if (chdir(dir.at("p").c_str()) != 0) _exit(126);
      const int null = open("/dev/null", O_WRONLY);
      dup2(null, 1);
      dup2(null, 2);
      setenv("XDG_STATE_HOME", state.c_str(), 1);
      execl(tool_under_test().c_str(), "velmora", "jpg", static_cast<char*>(nullptr));
      _exit(127);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 6000));
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    const tool_result r = run_tool(dir.path, {"--undo"});
    ASSERT_EQ(r.status, 0) << r.err;
    expect_all_back(dir.at("p"), names);
    if (HasFatalFailure()) return;
  }
  EXPECT_GE(kills, 50);
  const tool_result list = run_tool(dir.path, {"--undo", "--list"});
  EXPECT_LE(count_lines(list.out), 100) << "the default journal keeps at most 100 runs";
}

TEST(JournalFaults, AFileWhoseTimeCannotBeReadIsNotStamped) {
  LINUX_ONLY();
  scratch dir;
  std::filesystem::create_directory(dir.at("p"));
  const std::vector<std::string> names = make_photos(dir.at("p"), 3);
  const tool_result r = run_tool(dir.at("p"), {"--journal", "../J", "jpg"},
                                 with_fault_seam({"VELMORA_UNREADABLE=" + names[1]}));
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(contains(r.err, "its time cannot be read for the journal")) << r.err;
  EXPECT_EQ(mtime_of(dir.at("p/" + names[1])), photo_mtime(1));  // left alone
  EXPECT_EQ(run_tool(dir.path, {"--undo", "J"}).status, 0);
  expect_all_back(dir.at("p"), names);
}

TEST(JournalFaults, UndoTrustsNoPathItReads) {
  scratch dir;
  std::filesystem::create_directories(dir.at("p"));
  std::filesystem::create_directories(dir.at("outside"));
  make_file(dir.at("outside/victim.jpg"));
  const std::string t = "2001-02-03T04:05:06.123456789Z";
  const std::string set = "2010-09-10T13:40:00.000000000Z";
  const std::string start = "velmora-journal 1\nfolder\t" + dir.at("p") + "\n";
  for (const std::string& bad :
       {start + "file\t./../outside/victim.jpg\t" + t + "\t" + set + "\n",
        start + "file\t./a\\x00b.jpg\t" + t + "\t" + set + "\n",
        start + "file\tvictim.jpg\t" + t + "\t" + set + "\n",
        std::string("velmora-journal 1\nfolder\toutside\nfile\t./victim.jpg\t") + t + "\t" + set +
            "\n"}) {
    write_file(dir.at("J"), bad);
    const tool_result r = run_tool(dir.path, {"--undo", "J"});
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_TRUE(contains(r.err, "is not a record")) << r.err;
  }
  EXPECT_EQ(mtime_of(dir.at("outside/victim.jpg")), old_mtime);
}

TEST(JournalFaults, UndoRefusesWhatIsNoJournal) {
  scratch dir;
  std::filesystem::create_directory(dir.at("folder"));
  // (An empty file is a journal with no run yet, as --journal takes it.)
  std::vector<std::string> not_journals = {"folder"};
  if (!testing_windows_build()) not_journals.insert(not_journals.end(), {"/dev/null", "/dev/zero"});
  for (const std::string& what : not_journals) {
    run_setup quick;
    quick.timeout_seconds = 10;
    const tool_result r = run_tool(dir.path, {"--undo", what}, quick);
    EXPECT_FALSE(r.timed_out) << what;
    EXPECT_EQ(r.status, 2) << what << ": " << r.err;
  }
}

TEST(JournalFaultsAsRoot, AJournalThatCannotBeReadIsNoJournal) {
  LINUX_ONLY();
  if (geteuid() != 0) GTEST_SKIP() << "needs root to act as nobody";
  scratch dir;
  make_file(dir.at("2010-09-10 13.40.jpg"));
  give_to_nobody(dir.at("2010-09-10 13.40.jpg"));
  write_file(dir.at("data"), "a photo's bytes");
  give_to_nobody(dir.at("data"));
  std::filesystem::permissions(dir.at("data"), std::filesystem::perms::owner_write);
  const tool_result r = run_tool(dir.path, {"--journal", "data", "jpg"}, unprivileged());
  EXPECT_EQ(r.status, 2) << r.err;
  EXPECT_EQ(read_file(dir.at("data")), "a photo's bytes");
  EXPECT_EQ(mtime_of(dir.at("2010-09-10 13.40.jpg")), old_mtime);
}

TEST(JournalFaults, UndoOfTwoRunsSaysWhatItDoesAndThenNothing) {
  scratch dir;
  std::filesystem::create_directory(dir.at("p"));
  const std::vector<std::string> names = make_photos(dir.at("p"), 2);
  ASSERT_EQ(run_tool(dir.at("p"), {"--journal", "../J", "jpg"}).status, 0);
  ASSERT_EQ(run_tool(dir.at("p"), {"--journal", "../J", "+1", "jpg"}).status, 0);
  const tool_result dry = run_tool(dir.path, {"--undo", "J", "--dry-run"});
  EXPECT_EQ(dry.status, 0) << dry.err;
  EXPECT_EQ(count_lines(dry.out), 4);
  EXPECT_EQ(dry.err, "");
  const tool_result real = run_tool(dir.path, {"--undo", "J"});
  EXPECT_EQ(real.status, 0) << real.err;
  EXPECT_EQ(count_lines(real.out), 4);
  expect_all_back(dir.at("p"), names);
  const tool_result again = run_tool(dir.path, {"--undo", "J"});
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(again.out, "");
  EXPECT_EQ(count_lines(again.err), 1);
  EXPECT_TRUE(contains(again.err, "nothing is left to undo: every run of 'J' is undone"))
      << again.err;
}

TEST(JournalFaults, ADryRunIntoAFullOutputIsTheSameWithAnyJobs) {
  LINUX_ONLY();
  scratch dir;
  make_photos(dir.path, 40);
  run_setup full;
  full.stdout_path = "/dev/full";
  const tool_result one = run_tool(dir.path, {"--dry-run", "--jobs", "1"}, full);
  const tool_result many = run_tool(dir.path, {"--dry-run", "--jobs", "16"}, full);
  EXPECT_EQ(many.err, one.err);
  EXPECT_EQ(many.status, 1);
  EXPECT_TRUE(contains(one.err,
                       "stopped early: 0 files would be stamped, 1 left alone (1 not "
                       "reached); the rest of the folder was not looked at"))
      << one.err;
}

TEST(JournalFaults, TwoRunsCannotWriteOneJournalAtOnce) {
  LINUX_ONLY();
  scratch dir;
  make_file(dir.at("2010-09-10 13.40.jpg"));
  write_file(dir.at("J"), "velmora-journal 1\n");
  const pid_t holder = fork();
  if (holder == 0) {
    execlp("flock", "flock", dir.at("J").c_str(), "sleep", "3", static_cast<char*>(nullptr));
    _exit(127);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const tool_result r = run_tool(dir.path, {"--journal", "J", "jpg"});
  kill(holder, SIGTERM);
  waitpid(holder, nullptr, 0);
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(contains(r.err, "another run is writing to it")) << r.err;
  EXPECT_EQ(mtime_of(dir.at("2010-09-10 13.40.jpg")), old_mtime);
}

}  // namespace
