// The journal's file: opened, mended, pruned, written all or nothing.
#include "journal/journal.hpp"

#include <utility>

#include <gtest/gtest.h>

#include "journal/journal_prune.hpp"
#include "journal/journal_text.hpp"
#include "system/memory_system.hpp"

namespace {

const file_time a_time{*to_ticks({2010, 9, 10, 13, 40, 0}), 0};

file_time run_time(int run) {
  return {*to_ticks({2026, 12, 1, 10, run, 0}), 0};
}

// A journal at /j holding runs of the given numbers of records.
void write_runs(memory_system& fs, const system_calls& system, const std::vector<int>& runs) {
  for (std::size_t r = 0; r < runs.size(); ++r) {
    run_journal journal;
    ASSERT_FALSE(open_journal(system, "/j", journal));
    ASSERT_FALSE(start_journal_run(journal, "/photos", run_time(static_cast<int>(r))));
    for (int i = 0; i < runs[r]; ++i) {
      add_record(journal, "./" + std::to_string(i) + ".jpg", a_time, a_time, std::nullopt);
    }
    ASSERT_FALSE(commit_records(journal));
    close_journal(journal);
  }
  static_cast<void>(fs);
}

int count(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(Journal, ATornLastRecordOfAnyLengthIsCutOff) {
  memory_system fs;
  const system_calls system = calls_of(fs);
  write_runs(fs, system, {2});
  const std::string whole = fs.entries.at("/j")->data;
  fs.entries.at("/j")->data += "file\t./" + std::string(70'000, 'x');  // torn by a kill
  run_journal journal;
  ASSERT_FALSE(open_journal(system, "/j", journal));
  EXPECT_TRUE(journal.mended);
  ASSERT_FALSE(start_journal_run(journal, "/photos", run_time(9)));
  close_journal(journal);
  EXPECT_EQ(fs.entries.at("/j")->data, whole + folder_line("/photos", run_time(9)));
}

TEST(Journal, TheDefaultOneKeepsItsNewestWholeRuns) {
  memory_system fs;
  const system_calls system = calls_of(fs);
  write_runs(fs, system, {5, 5, 5, 5});
  run_journal journal;
  ASSERT_FALSE(open_journal(system, "/j", journal));
  // Four runs, at most four: down to three, two kept and the one beginning.
  ASSERT_FALSE(prune_journal(journal, {4, 1 << 20}));
  ASSERT_FALSE(start_journal_run(journal, "/photos", run_time(9)));
  close_journal(journal);
  const std::string text = fs.entries.at("/j")->data;
  EXPECT_TRUE(text.starts_with("velmora-journal 1\nfolder\t/photos\t2026-12-01T10:02:"));
  EXPECT_EQ(count(text, "folder\t"), 3);
  EXPECT_EQ(count(text, "file\t"), 10);
  // Within the limits again, the next run copies nothing.
  const memory_file* pruned = fs.entries.at("/j").get();
  run_journal next;
  ASSERT_FALSE(open_journal(system, "/j", next));
  ASSERT_FALSE(prune_journal(next, {4, 1 << 20}));
  close_journal(next);
  EXPECT_EQ(fs.entries.at("/j").get(), pruned);
  EXPECT_EQ(fs.entries.at("/j")->data, text);
  // By size: the oldest runs go first, but never the newest one.
  run_journal again;
  ASSERT_FALSE(open_journal(system, "/j", again));
  ASSERT_FALSE(prune_journal(again, {100, 10}));
  close_journal(again);
  EXPECT_EQ(fs.entries.at("/j")->data, "velmora-journal 1\n");
  EXPECT_FALSE(fs.entries.contains("/j.new"));
}

TEST(Journal, AJournalAnotherRunHoldsIsTakenAlsoAfterItIsPruned) {
  memory_system fs;
  const system_calls system = calls_of(fs);
  write_runs(fs, system, {1, 1, 1});
  run_journal holder;
  ASSERT_FALSE(open_journal(system, "/j", holder));
  ASSERT_FALSE(prune_journal(holder, {2, 1 << 20}));  // now the new file, held
  run_journal second;
  EXPECT_EQ(open_journal(system, "/j", second).problem, journal_problem::taken);
  close_journal(second);
  close_journal(holder);
}

// A run opens the journal as another prunes it, and locks the old file
// that one let go of. Where open files can be replaced, it finds the
// journal taken; where they cannot (Windows), the prune fails and the
// journal is still the old file. Either way the run that holds the
// journal writes to the file that is the journal.
TEST(Journal, ARunThatOpenedItAsItWasPrunedNeverWritesElsewhere) {
  for (const bool open_files_stay : {false, true}) {
    memory_system fs;
    fs.open_files_stay = open_files_stay;
    const system_calls system = calls_of(fs);
    write_runs(fs, system, {1, 1, 1, 1});
    run_journal pruner;
    ASSERT_FALSE(open_journal(system, "/j", pruner));
    journal_error pruned;
    bool asked = false;  // the prune's own lock is asked for too
    fs.before_lock = [&] {
      if (!std::exchange(asked, true)) pruned = prune_journal(pruner, {4, 1 << 20});
    };
    run_journal late;
    const journal_error opened = open_journal(system, "/j", late);
    fs.before_lock = nullptr;
    EXPECT_EQ(pruned.problem,
              open_files_stay ? journal_problem::cannot_write : journal_problem::none);
    EXPECT_EQ(opened.problem, open_files_stay ? journal_problem::none : journal_problem::taken);
    run_journal& holder = open_files_stay ? late : pruner;
    ASSERT_FALSE(start_journal_run(holder, "/held", run_time(9)));
    close_journal(late);
    close_journal(pruner);
    EXPECT_TRUE(fs.entries.at("/j")->data.ends_with(folder_line("/held", run_time(9))));
  }
}

// As on Windows, where a file that is open is never replaced.
TEST(Journal, WhereOpenFilesStayThePruneLetsGoOfTheOldFileFirst) {
  memory_system fs;
  fs.open_files_stay = true;
  const system_calls system = calls_of(fs);
  write_runs(fs, system, {1, 1, 1, 1});
  run_journal holder;
  ASSERT_FALSE(open_journal(system, "/j", holder));
  ASSERT_FALSE(prune_journal(holder, {4, 1 << 20}));
  ASSERT_FALSE(start_journal_run(holder, "/photos", run_time(9)));
  run_journal second;
  EXPECT_EQ(open_journal(system, "/j", second).problem, journal_problem::taken);
  close_journal(second);
  close_journal(holder);
  const std::string kept = fs.entries.at("/j")->data;
  EXPECT_EQ(count(kept, "folder\t"), 3);
  // Another that has the journal open meanwhile makes the prune fail, and
  // the journal stays as it was.
  int reader = -1;
  ASSERT_EQ(system.open_reading("/j", reader), 0);
  run_journal third;
  ASSERT_FALSE(open_journal(system, "/j", third));
  EXPECT_EQ(prune_journal(third, {1, 1 << 20}).problem, journal_problem::cannot_write);
  close_journal(third);
  system.close(reader);
  EXPECT_EQ(fs.entries.at("/j")->data, kept);
}

}  // namespace
