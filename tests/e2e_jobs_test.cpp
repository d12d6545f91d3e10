// Stamping many files at once: the output is exactly that of one thread,
// here and on a slow file system where each call is a round trip.

#include <signal.h>
#include <sys/vfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "slow_mount.hpp"
#include "tool_runner.hpp"

namespace {

// A folder of dated names, some of them unreadable, in two levels.
void make_photos(const std::string& folder, int count) {
  for (int sub = 0; sub < 5; ++sub) {
    std::filesystem::create_directories(folder + "/sub/" + std::to_string(sub));
  }
  for (int i = 0; i < count; ++i) {
    const std::string time = std::to_string(i / 60 % 24) + "." + std::to_string(i % 60);
    const std::string in = i % 7 == 0 ? "/sub/" + std::to_string(i % 5) + "/" : "/";
    make_file(folder + in + "2010-01-0" + std::to_string(1 + i % 9) + " " + time + ".jpg");
  }
  make_file(folder + "/2010-02-30 10.00.jpg");  // no such day
  make_file(folder + "/notes.jpg");
}

struct outcome {
  tool_result result;
  folder_state times;
};

outcome stamp(const std::string& folder, const std::vector<std::string>& args) {
  outcome o{run_tool(folder, args), {}};
  // The files' times: the folders were made at other moments.
  for (auto& [path, state] : snapshot(folder)) {
    if (!state.content.empty()) o.times[path] = state;
  }
  return o;
}

void expect_same(const outcome& one, const outcome& many) {
  EXPECT_EQ(many.result.out, one.result.out);  // byte for byte, in listing order
  EXPECT_EQ(many.result.err, one.result.err);
  EXPECT_EQ(many.result.status, one.result.status);
  EXPECT_EQ(many.times, one.times);
}

TEST(Jobs, ManyAtOnceSayAndDoWhatOneDoes) {
  for (const std::vector<std::string>& options : std::vector<std::vector<std::string>>{
           {"--recursive"}, {"--recursive", "--dry-run"}, {"--journal", "../run.journal"}}) {
    scratch a;
    scratch b;
    make_photos(a.at("p"), 300);
    make_photos(b.at("p"), 300);
    std::vector<std::string> one = options;
    one.push_back("--jobs=1");
    std::vector<std::string> many = options;
    many.insert(many.end(), {"--jobs", "16"});
    const outcome single = stamp(a.at("p"), one);
    const outcome parallel = stamp(b.at("p"), many);
    expect_same(single, parallel);
    EXPECT_EQ(single.result.status, 1) << single.result.err;
    if (options[0] == "--journal") {
      EXPECT_EQ(run_tool(b.path, {"--undo", "run.journal"}).status, 0);
    }
  }
}

TEST(Jobs, OnlyANumberFromOneTo64) {
  scratch dir;
  make_file(dir.at("2010-09-10 13.40.jpg"));
  for (const std::string jobs : {"0", "65", "x", "1.5", "-1", ""}) {
    const tool_result r = run_tool(dir.path, {"--jobs", jobs});
    EXPECT_EQ(r.status, 2) << jobs;
  }
  EXPECT_EQ(mtime_of(dir.at("2010-09-10 13.40.jpg")), old_mtime);
  const tool_result local = run_tool(dir.path, {"--verbose"});
  EXPECT_TRUE(contains(local.err, "velmora: stamping 1 file at once (the folder is on a local"))
      << local.err;
}

TEST(Jobs, AClosedPipeStopsThemToo) {
  if (testing_windows_build()) GTEST_SKIP() << "no SIGPIPE there";
  scratch dir;
  make_photos(dir.path, 100);
  const folder_state before = snapshot(dir.path);
  run_setup setup;
  setup.broken_pipe = true;
  const tool_result r = run_tool(dir.path, {"--recursive", "--jobs", "16"}, setup);
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(contains(r.err, "Broken pipe")) << r.err;
  expect_only_stamped(before, snapshot(dir.path), {});
}

std::size_t times_said(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

TEST(Jobs, ABrokenOutputIsSaidOnce) {
  if (testing_windows_build()) GTEST_SKIP() << "no SIGPIPE there";
  scratch dir;
  make_photos(dir.path, 200);
  run_setup setup;
  setup.broken_pipe = true;
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--dry-run", "--jobs", "4"}, {"--jobs", "4"}, {"--jobs", "1"}}) {
    const tool_result r = run_tool(dir.path, args, setup);
    EXPECT_EQ(r.status, 1) << args[0];
    EXPECT_EQ(times_said(r.err, "cannot write to standard output"), 1u) << r.err;
  }
}

TEST(JobsAsRoot, ThreadsThatCannotStartAreNoCrash) {
  if (testing_windows_build() || geteuid() != 0) GTEST_SKIP() << "needs root to limit nobody";
  scratch a;
  scratch b;
  make_photos(a.at("p"), 100);
  make_photos(b.at("p"), 100);
  const outcome single = stamp(a.at("p"), {"--recursive", "--jobs", "1"});
  run_setup limited = unprivileged();
  limited.max_processes = 3;  // the main thread and two workers
  outcome few{run_tool(b.at("p"), {"--recursive", "--jobs", "16", "--verbose"}, limited), {}};
  for (auto& [path, state] : snapshot(b.at("p"))) {
    if (!state.content.empty()) few.times[path] = state;
  }
  // Two, or fewer where a sanitizer keeps a thread of its own.
  EXPECT_TRUE(contains(few.result.err, "velmora: could start ")) << few.result.err;
  EXPECT_TRUE(contains(few.result.err, " of 16 workers (")) << few.result.err;
  EXPECT_TRUE(contains(few.result.err, "); going on with ")) << few.result.err;
  EXPECT_EQ(few.result.out, single.result.out);
  EXPECT_EQ(few.result.status, single.result.status);
  EXPECT_EQ(few.times.size(), single.times.size());
}

TEST(JobsAsRoot, OnASlowFileSystemTheDefaultIsManyAndTheOutputTheSame) {
  if (const char* missing = slow_mount::missing()) GTEST_SKIP() << missing;
  scratch dir;
  make_photos(dir.at("backing-one"), 120);
  make_photos(dir.at("backing-many"), 120);
  slow_mount one(dir.at("backing-one"), dir.at("one"));
  slow_mount many(dir.at("backing-many"), dir.at("many"), false);  // and without numbers
  ASSERT_TRUE(one.mounted() && many.mounted());
  auto started = std::chrono::steady_clock::now();
  outcome single{run_tool(one.point, {"--recursive", "--jobs", "1"}), {}};
  const auto single_time = std::chrono::steady_clock::now() - started;
  started = std::chrono::steady_clock::now();
  outcome parallel{run_tool(many.point, {"--recursive"}), {}};
  const auto parallel_time = std::chrono::steady_clock::now() - started;
  single.times = stamp(dir.at("backing-one"), {"--version"}).times;  // read past the slow layer
  parallel.times = stamp(dir.at("backing-many"), {"--version"}).times;
  expect_same(single, parallel);  // line for line
  const tool_result said = run_tool(many.point, {"--recursive", "--verbose"});
  EXPECT_TRUE(contains(said.err, "stamping 16 files at once (the folder is on FUSE)")) << said.err;
  EXPECT_LT(parallel_time, single_time);  // 16 at once: faster, even on a busy machine
}

// A folder inside a scratch folder, named as scratch names its files.
struct scratch_view {
  std::string path;
  std::string at(const std::string& name) const { return path + "/" + name; }
};

// One file under several selected names, hard links and symbolic links,
// ends at the time of the last name listed, whatever the thread count.
// On the slow file system, where the order in which calls end is the
// workers' and the file system's, two names set at once would race.
TEST(JobsAsRoot, OneFileUnderManyNamesEndsAsWithOneThread) {
  if (const char* missing = slow_mount::missing()) GTEST_SKIP() << missing;
  scratch base;
  std::filesystem::create_directory(base.at("backing"));
  const scratch_view dir{base.at("backing")};
  make_file(dir.at("2010-01-01 10.00.jpg"));
  for (int i = 1; i <= 20; ++i) {
    const std::string name = dir.at("2010-01-" + std::to_string(10 + i) + " 10.00.jpg");
    if (i % 2 == 0) {
      std::filesystem::create_hard_link(dir.at("2010-01-01 10.00.jpg"), name);
    } else {
      std::filesystem::create_symlink("2010-01-01 10.00.jpg", name);
    }
  }
  for (int i = 0; i < 60; ++i) make_file(dir.at("2011-01-01 0." + std::to_string(i) + ".jpg"));
  slow_mount mount(dir.path, base.at("mnt"));
  ASSERT_TRUE(mount.mounted());
  const tool_result single = run_tool(mount.point, {"--jobs", "1"});
  const long long one = mtime_of(dir.at("2010-01-01 10.00.jpg"));
  for (int round = 0; round < 5; ++round) {
    set_old_times(dir.at("2010-01-01 10.00.jpg"));
    const tool_result many = run_tool(mount.point, {"--jobs", "16", "--journal", base.at("J")});
    EXPECT_EQ(many.out, single.out);
    ASSERT_EQ(mtime_of(dir.at("2010-01-01 10.00.jpg")), one) << round;
    const tool_result undo = run_tool(base.path, {"--undo", "J"});
    EXPECT_EQ(undo.status, 0) << undo.err;
    std::filesystem::remove(base.at("J"));
  }
}

}  // namespace

namespace {

// A long run whose output goes to a file shows its progress on the
// terminal, in place, and takes it away at the end; with the output on
// the terminal it shows none. The slow file system makes the run long.
TEST(JobsAsRoot, ALongRunShowsItsProgressOnTheTerminal) {
  if (const char* missing = slow_mount::missing()) GTEST_SKIP() << missing;
  if (std::system("command -v script >/dev/null") != 0) GTEST_SKIP() << "needs script(1)";
  scratch dir;
  make_photos(dir.at("backing"), 500);
  slow_mount mount(dir.at("backing"), dir.at("mnt"));
  ASSERT_TRUE(mount.mounted());
  const auto typescript = [&](const std::string& redirect) {
    const std::string command = "script -qec 'cd \"" + mount.point + "\" && \"" +
                                tool_under_test() + "\" --recursive --jobs 1" + redirect + "' \"" +
                                dir.at("typescript") + "\" >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 256);  // exit 1: two names hold no date
    std::ifstream in(dir.at("typescript"), std::ios::binary);
    return std::string{std::istreambuf_iterator<char>(in), {}};
  };
  const std::string shown = typescript(" > \"" + dir.at("out") + "\"");
  EXPECT_TRUE(contains(shown, "\rvelmora: ")) << shown;
  EXPECT_TRUE(contains(shown, " files, ")) << shown;
  EXPECT_TRUE(
      contains(shown, "files stamped (names read as UTC); 2 of 502 selected files were left alone"))
      << shown;
  std::ifstream out(dir.at("out"));
  EXPECT_EQ(count_lines(std::string{std::istreambuf_iterator<char>(out), {}}), 502);
  EXPECT_FALSE(contains(typescript(""), " files, "));
}

}  // namespace
