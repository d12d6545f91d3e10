// What the tool does to each kind of entry, as an ordinary user, and when
// its output fails. Every case checks that nothing else changed.

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "tool_runner.hpp"

namespace {

const long long photo_time = utc_ns(2010, 9, 10, 13, 40);
const std::string photo = "2010-09-10 13.40.jpg";

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::string content_of(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void expect_untouched(const std::string& path) {
  EXPECT_EQ(mtime_of(path, true), old_mtime) << path;
  EXPECT_EQ(atime_of(path, true), old_atime) << path;
}

// Owners, modes, links, FIFOs and raw byte names are POSIX matters.
#define SKIP_ON_WINDOWS() \
  if (testing_windows_build()) GTEST_SKIP() << "a POSIX case"

TEST(Files, OwnersFileIsStampedWhateverItsMode) {
  SKIP_ON_WINDOWS();
  scratch dir;
  make_file(dir.at(photo), "keep me");
  give_to_nobody(dir.at(photo));
  chmod(dir.at(photo).c_str(), 0);
  const tool_result r = run_tool(dir.path, {}, unprivileged());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(mtime_of(dir.at(photo)), photo_time);
  EXPECT_EQ(atime_of(dir.at(photo)), old_atime);
  chmod(dir.at(photo).c_str(), 0644);
  EXPECT_EQ(content_of(dir.at(photo)), "keep me");
}

TEST(Files, SomeoneElsesFileIsReportedAndTheRestStamped) {
  SKIP_ON_WINDOWS();
  if (geteuid() != 0) GTEST_SKIP() << "needs root to give files to two users";
  scratch dir;
  make_file(dir.at(photo));  // root's, writable by all: still not nobody's to stamp
  chmod(dir.at(photo).c_str(), 0666);
  make_file(dir.at("2011-01-01 00.00.jpg"));
  give_to_nobody(dir.at("2011-01-01 00.00.jpg"));
  const tool_result r = run_tool(dir.path, {"jpg"}, unprivileged());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "velmora: cannot set the time of './" + photo + "': Operation not permitted\n");
  expect_untouched(dir.at(photo));
  EXPECT_EQ(mtime_of(dir.at("2011-01-01 00.00.jpg")), utc_ns(2011, 1, 1, 0, 0));
}

TEST(Files, LinksLeadToFilesNeverToFolders) {
  SKIP_ON_WINDOWS();
  scratch dir;
  make_file(dir.at("target"));
  std::filesystem::create_directory(dir.at("folder"));
  std::filesystem::create_symlink("target", dir.at("2010-09-10 13.40.link"));
  std::filesystem::create_symlink("folder", dir.at("2010-09-10 13.40.dir"));
  std::filesystem::create_symlink("missing", dir.at("2010-09-10 13.40.dangling"));
  set_old_times(dir.at("2010-09-10 13.40.link"));
  set_old_times(dir.at("folder"));
  const tool_result r = run_tool(dir.path, {"link", "dir", "dangling"});
  EXPECT_EQ(r.status, 1);
  // The link's target is stamped; the link itself keeps its own time.
  EXPECT_EQ(mtime_of(dir.at("target")), photo_time);
  EXPECT_EQ(mtime_of(dir.at("2010-09-10 13.40.link"), true), old_mtime);
  expect_untouched(dir.at("folder"));
  EXPECT_TRUE(contains(r.err, "'./2010-09-10 13.40.dir': it is a directory")) << r.err;
  EXPECT_TRUE(contains(r.err, "'./2010-09-10 13.40.dangling': No such file or directory")) << r.err;
}

TEST(Files, FifoNeverMakesTheRunWait) {
  SKIP_ON_WINDOWS();
  scratch dir;
  ASSERT_EQ(mkfifo(dir.at("2010-09-10 13.40.fifo").c_str(), 0644), 0);
  run_setup setup;
  setup.timeout_seconds = 10;
  const tool_result r = run_tool(dir.path, {}, setup);
  EXPECT_FALSE(r.timed_out);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(mtime_of(dir.at("2010-09-10 13.40.fifo")), photo_time);
}

TEST(Files, OddNames) {
  SKIP_ON_WINDOWS();
  scratch dir;
  const std::string not_utf8 = "2010-09-10 13.40 \xff\xfe.jpg";
  const std::string tab = "2010-09-10 13.40\tcopy.jpg";
  const std::string newline = "2010-09-10 13.40\n.jpg";
  const std::string longest = "2010-09-10 13.40 " + std::string(234, 'x') + ".jpg";
  const std::string bad_newline = "2010-02-30 13.40\n.jpg";
  ASSERT_EQ(longest.size(), 255u);
  for (const std::string& name : {not_utf8, tab, newline, longest, bad_newline}) {
    make_file(dir.at(name));
  }
  const tool_result r = run_tool(dir.path, {});
  for (const std::string& name : {not_utf8, tab, newline, longest}) {
    EXPECT_EQ(mtime_of(dir.at(name)), photo_time) << name;
    EXPECT_TRUE(contains(r.out, "Setting timestamp:\t./" + name + "\n")) << name;
  }
  // Stdout keeps names as they are; a message escapes them to stay one line.
  expect_untouched(dir.at(bad_newline));
  EXPECT_EQ(r.err,
            "velmora: cannot read a date from './2010-02-30 13.40\\n.jpg': that day does not "
            "exist in that month\n");
  EXPECT_EQ(r.status, 1);
}

TEST(Files, BrokenOutputStopsTheRunBeforeStamping) {
  for (const bool closed : {false, true}) {
    scratch dir;
    make_file(dir.at(photo));
    run_setup setup;
    setup.close_stdout = closed;
    setup.stdout_path = "/dev/full";
    const tool_result r = run_tool(dir.path, {}, setup);
    EXPECT_EQ(r.status, 1) << closed;
    EXPECT_TRUE(contains(r.err, "velmora: cannot write to standard output: ")) << r.err;
    // A file is stamped only after it has been announced.
    expect_untouched(dir.at(photo));
  }
}

// ext4 holds times from 1901-12-13 to 2446-05-10 only and silently clamps
// the rest; tmpfs holds them all.
TEST(Files, TimesTheFileSystemCannotHoldAreNotSet) {
  scratch dir;
  struct statfs fs;
  ASSERT_EQ(statfs(dir.path.c_str(), &fs), 0);
  if (fs.f_type != 0xEF53) GTEST_SKIP() << "the temporary folder is not on ext4";
  for (const char* name : {"1700-01-01 00.00.jpg", "2500-01-01 00.00.jpg"}) make_file(dir.at(name));
  make_file(dir.at("1950-06-01 12.00.jpg"));
  const tool_result r = run_tool(dir.path, {});
  EXPECT_EQ(r.status, 1);
  for (const char* name : {"1700-01-01 00.00.jpg", "2500-01-01 00.00.jpg"}) {
    // Windows puts the old time back in its own 100 ns steps.
    const long long kept = testing_windows_build() ? old_mtime / 100 * 100 : old_mtime;
    EXPECT_EQ(mtime_of(dir.at(name)), kept) << name;
    EXPECT_EQ(atime_of(dir.at(name)), old_atime) << name;
  }
  EXPECT_TRUE(contains(r.err,
                       "'./2500-01-01 00.00.jpg': the file system cannot hold "
                       "2500-01-01 00:00:00 UTC; its time is unchanged"))
      << r.err;
  EXPECT_TRUE(contains(r.err, "'./1700-01-01 00.00.jpg': the file system cannot hold"));
  // Outside 1980 to 2107, but held: set and verified.
  EXPECT_EQ(mtime_of(dir.at("1950-06-01 12.00.jpg")), utc_ns(1950, 6, 1, 12, 0));
}

}  // namespace
