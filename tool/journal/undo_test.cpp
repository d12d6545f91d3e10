#include "journal/undo.hpp"

#include <gtest/gtest.h>

#include "journal/journal.hpp"
#include "system/memory_system.hpp"

namespace {

const file_time old_time{unix_epoch + std::chrono::seconds{981'173'106}, 0};

// A journal at /j of one run in /photos that set a.jpg and b.jpg.
void journal_two(memory_system& fs, const system_calls& system, const file_time& set) {
  add_file(fs, "a.jpg", set);
  add_file(fs, "b.jpg", set);
  run_journal journal;
  ASSERT_FALSE(open_journal(system, "/j", journal));
  ASSERT_FALSE(start_journal_run(journal, "/photos"));
  add_record(journal, "./a.jpg", old_time, set, std::nullopt);
  add_record(journal, "./b.jpg", old_time, set, std::nullopt);
  ASSERT_FALSE(commit_records(journal));
  close_journal(journal);
}

int undo(memory_system& fs, std::string& err, bool dry = false) {
  memory_console console;
  const int status = undo_journal("/j", dry, calls_of(fs), output_of(console));
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

}  // namespace
