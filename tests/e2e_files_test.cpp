// What the tool does to each kind of entry, as an ordinary user, and when
// things go wrong under it. Every case checks stdout, stderr, the exit
// status, and that nothing changed but what was stamped.

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "tool_runner.hpp"

namespace {

const long long photo_time = utc_ns(2010, 9, 10, 13, 40);
const std::string photo = "2010-09-10 13.40.jpg";
const std::string other = "2011-01-01 00.00.jpg";

std::string announce(const std::string& name) {
  return "Setting timestamp:\t./" + name;
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
  const folder_state before = snapshot(dir.path);
  const tool_result r = run_tool(dir.path, {}, unprivileged());
  EXPECT_EQ(r.out, lines({announce(photo)}));
  EXPECT_EQ(r.err, lines({utc_note, "velmora: 1 file stamped (names read as UTC)"}));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(mtime_of(dir.at(photo)), photo_time);
  expect_only_stamped(before, snapshot(dir.path), {photo});
}

TEST(FilesAsRoot, SomeoneElsesFileIsReportedAndTheRestStamped) {
  SKIP_ON_WINDOWS();
  if (geteuid() != 0) GTEST_SKIP() << "needs root to give files to two users";
  scratch dir;
  make_file(dir.at(photo));  // root's, writable by all: still not nobody's to stamp
  chmod(dir.at(photo).c_str(), 0666);
  make_file(dir.at(other));
  give_to_nobody(dir.at(other));
  const folder_state before = snapshot(dir.path);
  const tool_result r = run_tool(dir.path, {"jpg"}, unprivileged());
  EXPECT_EQ(r.err, utc_note + "\nvelmora: cannot set the time of './" + photo +
                       "': Operation not permitted\n" +
                       "velmora: 1 file stamped (names read as UTC); 1 of 2 selected files were "
                       "left alone (1 not set)\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(sorted_lines(r.out), (std::vector<std::string>{announce(photo), announce(other)}));
  EXPECT_EQ(mtime_of(dir.at(other)), utc_ns(2011, 1, 1, 0, 0));
  expect_only_stamped(before, snapshot(dir.path), {other});
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
  const folder_state before = snapshot(dir.path);
  const tool_result r = run_tool(dir.path, {"link", "dir", "dangling"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(sorted_lines(r.out), (std::vector<std::string>{announce("2010-09-10 13.40.dangling"),
                                                           announce("2010-09-10 13.40.dir"),
                                                           announce("2010-09-10 13.40.link")}));
  EXPECT_EQ(
      sorted_lines(r.err),
      (std::vector<std::string>{
          "velmora: 1 file stamped (names read as UTC); 2 of 3 selected files were left "
          "alone (2 not set)",
          "velmora: cannot set the time of './2010-09-10 13.40.dangling': No such file or "
          "directory",
          "velmora: cannot set the time of './2010-09-10 13.40.dir': it is a folder", utc_note}));
  // The link's target is stamped; the link itself keeps its own time.
  EXPECT_EQ(mtime_of(dir.at("target")), photo_time);
  expect_only_stamped(before, snapshot(dir.path), {"target"});
}

TEST(Files, FifosAndDevicesNeverMakeTheRunWait) {
  SKIP_ON_WINDOWS();
  scratch dir;
  ASSERT_EQ(mkfifo(dir.at("2010-09-10 13.40.fifo").c_str(), 0644), 0);
  std::set<std::string> stamped = {"2010-09-10 13.40.fifo"};
  if (geteuid() == 0) {  // a character device like /dev/null
    ASSERT_EQ(mknod(dir.at("2010-09-10 13.40.dev").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
    stamped.insert("2010-09-10 13.40.dev");
  }
  const folder_state before = snapshot(dir.path);
  run_setup setup;
  setup.timeout_seconds = 10;
  const tool_result r = run_tool(dir.path, {}, setup);
  EXPECT_FALSE(r.timed_out);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, lines({utc_note, "velmora: " + std::to_string(stamped.size()) +
                                        " files stamped (names read as UTC)"}));
  EXPECT_EQ(static_cast<std::size_t>(count_lines(r.out)), stamped.size());
  for (const std::string& name : stamped) EXPECT_EQ(mtime_of(dir.at(name)), photo_time) << name;
  expect_only_stamped(before, snapshot(dir.path), stamped);
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
  const folder_state before = snapshot(dir.path);
  const tool_result r = run_tool(dir.path, {});
  // Stdout keeps names as they are, tabs too (the path is all that follows
  // the first tab), but for those with another control character: those
  // are quoted as in messages, so that every file is one line.
  const std::vector<std::string> shown = {announce(not_utf8), announce(longest), announce(tab),
                                          "Setting timestamp:\t'./2010-09-10 13.40'$'\\n''.jpg'",
                                          "Setting timestamp:\t'./2010-02-30 13.40'$'\\n''.jpg'"};
  EXPECT_EQ(sorted_lines(r.out), sorted_lines(lines(shown)));
  EXPECT_EQ(count_lines(r.out), 5);
  EXPECT_EQ(
      r.err,
      utc_note +
          "\nvelmora: cannot read a date from './2010-02-30 13.40'$'\\n''.jpg': that day does not "
          "exist in that month\nvelmora: 4 files stamped (names read as UTC); 1 of 5 selected "
          "files were left "
          "alone (1 no date)\n");
  EXPECT_EQ(r.status, 1);
  for (const std::string& name : {not_utf8, tab, newline, longest}) {
    EXPECT_EQ(mtime_of(dir.at(name)), photo_time) << name;
  }
  expect_only_stamped(before, snapshot(dir.path), {not_utf8, tab, newline, longest});
}

TEST(Files, FileRemovedBetweenListingAndStamping) {
  SKIP_ON_WINDOWS();
  scratch dir;
  make_file(dir.at(photo));
  make_file(dir.at(other));
  const tool_result r = run_tool(dir.path, {}, with_fault_seam({"VELMORA_VANISH=" + photo}));
  EXPECT_EQ(sorted_lines(r.out), (std::vector<std::string>{announce(photo), announce(other)}));
  EXPECT_EQ(r.err, utc_note + "\nvelmora: cannot set the time of './" + photo +
                       "': No such file or directory\n" +
                       "velmora: 1 file stamped (names read as UTC); 1 of 2 selected files were "
                       "left alone (1 not set)\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_FALSE(std::filesystem::exists(dir.at(photo)));
  EXPECT_EQ(mtime_of(dir.at(other)), utc_ns(2011, 1, 1, 0, 0));
}

TEST(Files, BrokenOutputStopsTheRunBeforeStamping) {
  SKIP_ON_WINDOWS();
  for (const bool closed : {false, true}) {
    scratch dir;
    make_file(dir.at(photo));
    const folder_state before = snapshot(dir.path);
    run_setup setup;
    setup.close_stdout = closed;
    setup.stdout_path = "/dev/full";
    const tool_result r = run_tool(dir.path, {}, setup);
    EXPECT_EQ(r.status, 1) << closed;
    const std::string reason = closed ? "Bad file descriptor" : "No space left on device";
    EXPECT_EQ(r.err, utc_note + "\nvelmora: cannot write to standard output: " + reason +
                         "\nvelmora: stopped early: 0 files stamped, 1 left alone (1 not "
                         "reached); the rest of the folder was not looked at\n");
    // A file is stamped only after it has been announced.
    expect_only_stamped(before, snapshot(dir.path), {});
  }
}

// ext4 holds times from 1901-12-13 to 2446-05-10 only and silently clamps
// the rest; tmpfs holds them all.
TEST(Files, TimesTheFileSystemCannotHoldAreNotSet) {
  scratch dir;
  struct statfs fs;
  ASSERT_EQ(statfs(dir.path.c_str(), &fs), 0);
  if (fs.f_type != 0xEF53) GTEST_SKIP() << "the temporary folder is not on ext4";
  const std::vector<std::string> unheld = {"1700-01-01 00.00.jpg", "2500-01-01 00.00.jpg"};
  for (const std::string& name : unheld) make_file(dir.at(name));
  make_file(dir.at("1950-06-01 12.00.jpg"));
  const folder_state before = snapshot(dir.path);
  const tool_result r = run_tool(dir.path, {});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(count_lines(r.out), 3);
  const std::vector<std::string> said = sorted_lines(r.err);
  ASSERT_EQ(said.size(), 4u) << r.err;
  EXPECT_EQ(said[0],
            "velmora: 1 file stamped (names read as UTC); 2 of 3 selected files were left alone "
            "(2 not set)");
  for (std::size_t i = 1; i < 3; ++i) {
    const std::string& name = unheld[i - 1];
    EXPECT_EQ(said[i].rfind("velmora: cannot set the time of './" + name +
                                "': the file system cannot hold " + name.substr(0, 4) +
                                "-01-01 00:00:00 UTC (it kept ",
                            0),
              0u)
        << said[i];
    EXPECT_TRUE(said[i].ends_with("); its time is unchanged")) << said[i];
  }
  for (const std::string& name : unheld) {
    // Windows puts the old time back in its own 100 ns steps.
    const long long kept = testing_windows_build() ? old_mtime / 100 * 100 : old_mtime;
    EXPECT_EQ(mtime_of(dir.at(name)), kept) << name;
    EXPECT_EQ(atime_of(dir.at(name)), old_atime) << name;
  }
  // Outside 1980 to 2107, but held: set and verified.
  EXPECT_EQ(mtime_of(dir.at("1950-06-01 12.00.jpg")), utc_ns(1950, 6, 1, 12, 0));
  if (!testing_windows_build())
    expect_only_stamped(before, snapshot(dir.path), {"1950-06-01 12.00.jpg"});
}

}  // namespace
