// Every run can be undone: --journal and --undo end to end, to the
// nanosecond, from another folder, with names of every kind.

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "tool_runner.hpp"

namespace {

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::string> photo_names() {
  std::vector<std::string> names = {"2010-09-10 13.40.jpg", "2011-01-01 10.00 Zoë's.jpg"};
  if (!testing_windows_build()) {  // names Windows cannot hold, or its ANSI build cannot reach
    names.insert(names.end(), {"2012-01-01 10.00 back\\slash.jpg", "2013-01-01 10.00\ttab.jpg",
                               "2014-01-01 10.00\nnewline.jpg", "2015-01-01 10.00 \xff\xfe.jpg",
                               "2016-01-01 10.00 Фото.jpg"});
  }
  return names;
}

TEST(Journal, AnyRunCanBeUndoneFromAnywhere) {
  scratch dir;
  std::filesystem::create_directories(dir.at("Photos/2016"));
  std::vector<std::string> names = photo_names();
  for (const std::string& name : names) make_file(dir.at("Photos/" + name));
  make_file(dir.at("Photos/2016/2016-06-01 12.00.jpg"));
  make_file(dir.at("Photos/notes.txt"));
  const folder_state original = snapshot(dir.path);

  tool_result r = run_tool(
      dir.path, {"--journal", "run.journal", "--directory", "Photos", "--recursive", "jpg"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(mtime_of(dir.at("Photos/2010-09-10 13.40.jpg")), utc_ns(2010, 9, 10, 13, 40));
  // A second run appends to the same journal: both are undone, newest first.
  r = run_tool(dir.path, {"--journal=run.journal", "--directory", "Photos", "+1", "jpg"});
  ASSERT_EQ(r.status, 0) << r.err;
  // Someone changes one file afterwards: that change is never undone.
  const std::string changed = dir.at("Photos/2010-09-10 13.40.jpg");
  set_mtime(changed, old_mtime + 1'000'000'000);
  const long long changed_to = mtime_of(changed);

  scratch elsewhere;
  r = run_tool(elsewhere.path, {"--undo", dir.at("run.journal"), "--dry-run"});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(contains(r.out, "Would restore timestamp:\t")) << r.out;
  EXPECT_EQ(mtime_of(dir.at("Photos/2011-01-01 10.00 Zoë's.jpg")), utc_ns(2011, 1, 1, 11, 0));

  r = run_tool(elsewhere.path, {"--undo", dir.at("run.journal")});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(contains(r.err, "2010-09-10 13.40.jpg' alone: its time has changed")) << r.err;
  if (!testing_windows_build()) {
    EXPECT_TRUE(contains(
        r.out, "Restoring timestamp:\t" + dir.at("Photos/2016/2016-06-01 12.00.jpg") + "\n"))
        << r.out;
  }
  EXPECT_EQ(mtime_of(changed), changed_to);
  folder_state now = snapshot(dir.path);
  now.erase("run.journal");
  folder_state expected = original;
  // Every other time is back to the nanosecond (Windows: to its 100 ns ticks).
  for (auto& [path, state] : expected) {
    if (testing_windows_build() && path.ends_with(".jpg")) state.mtime = state.mtime / 100 * 100;
  }
  expected["Photos/2010-09-10 13.40.jpg"].mtime = changed_to;
  expect_only_stamped(expected, now, {"Photos/2016", "Photos"});
}

TEST(Journal, AJournalThatCannotBeWrittenTouchesNothing) {
  scratch dir;
  make_file(dir.at("2010-09-10 13.40.jpg"), "the photo");
  const folder_state before = snapshot(dir.path);
  std::vector<std::string> journals = {dir.at("no such folder/run.journal"),
                                       dir.at("2010-09-10 13.40.jpg")};  // not a journal
  if (!testing_windows_build()) journals.push_back("/dev/full");
  for (const std::string& journal : journals) {
    const tool_result r = run_tool(dir.path, {"--journal", journal});
    EXPECT_EQ(r.status, 2) << journal;
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(contains(r.err, "journal")) << r.err;
  }
  folder_state after = snapshot(dir.path);
  // Wine reads files through Linux, which moves their access time whatever
  // Windows was asked; on Windows itself the journal's check keeps it.
  if (testing_windows_build()) after["2010-09-10 13.40.jpg"].atime = old_atime;
  expect_only_stamped(before, after, {});
  // A dry run writes none.
  EXPECT_EQ(run_tool(dir.path, {"--dry-run", "--journal", "dry.journal"}).status, 0);
  EXPECT_FALSE(std::filesystem::exists(dir.at("dry.journal")));
}

TEST(Journal, AJournalThatDoesNotParseRestoresNothing) {
  scratch dir;
  make_file(dir.at("2010-09-10 13.40.jpg"));
  ASSERT_EQ(run_tool(dir.path, {"--journal", "run.journal", "jpg"}).status, 0);
  std::ofstream(dir.at("run.journal"), std::ios::app) << "file\t./x.jpg\tyesterday\tnow\n";
  tool_result r = run_tool(dir.path, {"--undo", "run.journal"});
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(contains(r.err, "line 4 is not a record")) << r.err;
  EXPECT_EQ(mtime_of(dir.at("2010-09-10 13.40.jpg")), utc_ns(2010, 9, 10, 13, 40));
  r = run_tool(dir.path, {"--undo", "missing.journal"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(run_tool(dir.path, {"--undo", "run.journal", "jpg"}).status, 2);
}

TEST(Journal, AWriteThatFailsMidwayStopsTheRun) {
  if (testing_windows_build()) GTEST_SKIP() << "the seam is for Linux";
  scratch dir;
  for (int i = 0; i < 600; ++i) {
    make_file(
        dir.at("2010-01-01 " + std::to_string(i / 60) + "." + std::to_string(i % 60) + ".jpg"));
  }
  // The first sync holds the run's folder, the second the first files.
  const tool_result r = run_tool(dir.path, {"--journal", "run.journal", "jpg"},
                                 with_fault_seam({"VELMORA_FAIL_SYNC_AFTER=2"}));
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(contains(r.err, "cannot write the journal")) << r.err;
  int stamped = 0;
  for (const auto& [path, state] : snapshot(dir.path)) {
    if (path.ends_with(".jpg") && state.mtime != old_mtime) ++stamped;
  }
  EXPECT_GT(stamped, 0);
  EXPECT_LT(stamped, 600);
  EXPECT_EQ(count_lines(r.out), stamped);  // no file past the last record was touched
  // What was stamped is in the journal (and perhaps the records whose sync
  // failed, of files never touched), and comes back.
  const std::string journal = read_file(dir.at("run.journal"));
  EXPECT_GE(count_lines(journal), 2 + stamped);
  EXPECT_EQ(run_tool(dir.path, {"--undo", "run.journal"}).status, 0);
  for (const auto& [path, state] : snapshot(dir.path)) {
    if (path.ends_with(".jpg")) {
      EXPECT_EQ(state.mtime, old_mtime) << path;
    }
  }
}

}  // namespace
