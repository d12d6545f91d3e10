#include "journal/undo.hpp"

#include <gtest/gtest.h>

#include "journal/journal.hpp"
#include "journal/journal_text.hpp"
#include "system/memory_system.hpp"

namespace {

const file_time old_time{unix_epoch + std::chrono::seconds{981'173'106}, 0};

// A journal at /j of one run in /photos that set a.jpg and b.jpg.
void journal_two(memory_system& fs, const system_calls& system, const file_time& set) {
  add_file(fs, "a.jpg", set);
  add_file(fs, "b.jpg", set);
  run_journal journal;
  ASSERT_FALSE(open_journal(system, "/j", journal));
  ASSERT_FALSE(start_journal_run(journal, "/photos", set));
  add_record(journal, "./a.jpg", old_time, set, std::nullopt);
  add_record(journal, "./b.jpg", old_time, set, std::nullopt);
  ASSERT_FALSE(commit_records(journal));
  close_journal(journal);
}

int undo(memory_system& fs, std::string& err, bool dry = false) {
  memory_console console;
  const int status = undo_journal({"/j", false, dry, false}, calls_of(fs), output_of(console));
  err = console.err;
  return status;
}

TEST(Undo, PutsBackWhatNobodyChangedSince) {
  memory_system fs;
  const system_calls system = calls_of(fs);
  const file_time set{unix_epoch + std::chrono::seconds{1'284'126'000}, 0};
  journal_two(fs, system, set);
  file_at(fs, "b.jpg")->mtime = {set.tick + std::chrono::hours{1}, 0};  // changed since
  std::string err;
  EXPECT_EQ(undo(fs, err, true), 1);  // a dry run says what the undo does, and does nothing
  EXPECT_EQ(file_at(fs, "a.jpg")->mtime, set);
  EXPECT_EQ(undo(fs, err), 1);
  EXPECT_EQ(file_at(fs, "a.jpg")->mtime, old_time);
  EXPECT_NE(file_at(fs, "b.jpg")->mtime, old_time);
  EXPECT_NE(err.find("left '/photos/b.jpg' alone: its time has changed since the run"),
            std::string::npos)
      << err;
}

TEST(Undo, AJournalARunIsWritingToIsLeftAlone) {
  memory_system fs;
  const system_calls system = calls_of(fs);
  const file_time set{unix_epoch + std::chrono::seconds{1'284'126'000}, 0};
  journal_two(fs, system, set);
  run_journal writing;
  ASSERT_FALSE(open_journal(system, "/j", writing));  // another run holds it
  std::string err;
  EXPECT_EQ(undo(fs, err), 2);
  EXPECT_EQ(err, "velmora: cannot undo from '/j': another run is writing to it\n");
  EXPECT_EQ(file_at(fs, "a.jpg")->mtime, set);
  close_journal(writing);
  EXPECT_EQ(undo(fs, err), 0) << err;
}

// A run stopped before its first record leaves the journal empty, or with
// its first line alone: it stamped nothing, and its undo has nothing to do.
// Paths are shown as the system writes them: on Windows, with '\\'.
TEST(Undo, PathsAreShownWithTheSystemsSeparator) {
  memory_system fs;
  system_calls system = calls_of(fs);
  system.separator = '\\';
  const file_time set{old_time.tick + std::chrono::hours{1}, 0};
  add_file(fs, "sub/a.jpg", set);
  run_journal journal;
  ASSERT_FALSE(open_journal(system, "/j", journal));
  ASSERT_FALSE(start_journal_run(journal, "/photos", set));
  add_record(journal, "./sub/a.jpg", old_time, set, std::nullopt);
  ASSERT_FALSE(commit_records(journal));
  close_journal(journal);
  memory_console console;
  EXPECT_EQ(undo_journal({"/j", false, false, false}, system, output_of(console)), 0);
  EXPECT_EQ(console.out, "Restoring timestamp:\t/photos\\sub\\a.jpg\n");
}

TEST(Undo, AJournalWithNoRunYetHasNothingToUndo) {
  for (const std::string& data : {std::string(), std::string(journal_magic) + "\n"}) {
    memory_system fs;
    add_file(fs, "/j", old_time, data);
    std::string err;
    EXPECT_EQ(undo(fs, err), 0);
    EXPECT_EQ(err, "velmora: there is nothing to undo: '/j' holds no run yet\n");
  }
}

// The default journal's undo: the newest run not undone yet, then the one
// before; a list of the runs, and what each undo marked.
TEST(Undo, TheNewestRunFirstThenTheOneBefore) {
  memory_system fs;
  const system_calls system = calls_of(fs);
  add_file(fs, "a.jpg", old_time);
  const file_time first{old_time.tick + std::chrono::hours{1}, 0};
  const file_time second{old_time.tick + std::chrono::hours{2}, 0};
  for (const auto& [before, set] : {std::pair{old_time, first}, std::pair{first, second}}) {
    run_journal journal;
    ASSERT_FALSE(open_journal(system, "/j", journal));
    ASSERT_FALSE(start_journal_run(journal, "/photos", set));  // named by when it ran
    add_record(journal, "./a.jpg", before, set, std::nullopt);
    ASSERT_FALSE(commit_records(journal));
    close_journal(journal);
  }
  file_at(fs, "a.jpg")->mtime = second;
  memory_console console;
  const auto undo_newest = [&](bool list) {
    console.out.clear();
    console.err.clear();
    return undo_journal({"/j", true, false, list}, calls_of(fs), output_of(console));
  };
  EXPECT_EQ(undo_newest(false), 0);
  EXPECT_EQ(file_at(fs, "a.jpg")->mtime, first);
  EXPECT_TRUE(
      console.err.starts_with("velmora: undoing the run in '/photos' of 2001-02-03 "
                              "06:05:06 UTC (1 file)"))
      << console.err;
  EXPECT_EQ(undo_newest(false), 0);
  EXPECT_EQ(file_at(fs, "a.jpg")->mtime, old_time);
  EXPECT_EQ(undo_newest(false), 0);
  EXPECT_EQ(console.err, "velmora: nothing is left to undo: every run of '/j' is undone\n");
  EXPECT_EQ(undo_newest(true), 0);
  EXPECT_EQ(console.out,
            "2001-02-03 06:05:06 UTC\t1 file\t/photos\tundone\n"
            "2001-02-03 05:05:06 UTC\t1 file\t/photos\tundone\n");
}

// A journal that holds a link and the file it leads to (as runs before
// the two names of a file were told apart wrote them): the dry run says
// exactly what the undo does.
TEST(Undo, ADryRunFollowsOneFileUnderTwoNamesAsTheUndoDoes) {
  memory_system fs;
  const system_calls system = calls_of(fs);
  const file_time set{old_time.tick + std::chrono::hours{24}, 0};
  add_file(fs, "a.jpg", set);
  add_link(fs, "b.jpg", "a.jpg");
  run_journal journal;
  ASSERT_FALSE(open_journal(system, "/j", journal));
  ASSERT_FALSE(start_journal_run(journal, "/photos", set));
  add_record(journal, "./a.jpg", old_time, {old_time.tick + std::chrono::hours{1}, 0},
             std::nullopt);
  add_record(journal, "./b.jpg", {old_time.tick + std::chrono::hours{1}, 0}, set, std::nullopt,
             true);
  ASSERT_FALSE(commit_records(journal));
  close_journal(journal);
  memory_console dry;
  EXPECT_EQ(undo_journal({"/j", false, true, false}, system, output_of(dry)), 0) << dry.err;
  memory_console real;
  EXPECT_EQ(undo_journal({"/j", false, false, false}, system, output_of(real)), 0) << real.err;
  EXPECT_EQ(file_at(fs, "a.jpg")->mtime, old_time);
  EXPECT_EQ(std::count(dry.out.begin(), dry.out.end(), '\n'), 2);
  EXPECT_EQ(std::count(real.out.begin(), real.out.end(), '\n'), 2);
  EXPECT_EQ(dry.err, real.err);
}

}  // namespace
