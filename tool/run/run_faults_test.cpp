// Runs over a file system in memory that fails on purpose: the journal's
// batches on a disk that fills up, a folder's probe, a broken output.
#include <gtest/gtest.h>

#include "run/in_memory_run.hpp"

namespace {

void add_photos(memory_system& fs, int count) {
  for (int i = 0; i < count; ++i) {
    const std::string name = "2010-01-0" + std::to_string(1 + i / 100) + " " +
                             std::to_string(i % 100 / 60) + "." + std::to_string(i % 60) + ".jpg";
    add_file(fs, name, made_at);
  }
}

const std::string journal = "/journal";

std::string journal_text(memory_system& fs) {
  return fs.entries.at(journal)->data;
}

// Where the journal's nth line starts, in text.
std::size_t line_start(const std::string& text, int n) {
  std::size_t at = 0;
  for (int i = 0; i < n; ++i) at = text.find('\n', at) + 1;
  return at;
}

void expect_untouched(memory_system& fs) {
  for (const auto& [path, time] : times_in(fs)) {
    if (path != journal) {
      EXPECT_EQ(time, made_at) << path;
    }
  }
}

TEST(RunFaults, AJournalOnADiskThatFillsUpKeepsWholeRecordsAndStops) {
  memory_system whole;
  add_photos(whole, 300);
  ASSERT_EQ(run_in(whole, {}, journal).status, 0);
  // Room for the first line, the folder line and the first batch's 16
  // records, and half of the next record.
  const std::string full = journal_text(whole);
  const std::size_t room = line_start(full, 2 + 16) + 40;
  std::string single_out;
  for (const std::string_view jobs : {"1", "4"}) {
    memory_system fs;
    add_photos(fs, 300);
    fs.room = static_cast<long long>(room);
    fs.slow_writes = jobs != "1";  // as on a share: the workers set them
    const memory_run r = run_in(fs, {"--jobs", jobs}, journal);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(journal_text(fs), full.substr(0, line_start(full, 2 + 16))) << jobs;
    EXPECT_TRUE(r.err.starts_with(
        utc_note +
        "velmora: cannot write the journal '/journal': No space left on device; stopped "
        "before the files it did not record\n"))
        << r.err;
    EXPECT_TRUE(r.err.ends_with(
        "velmora: stopped early: 16 files stamped (names read as UTC), 256 left alone (256 not "
        "reached); the rest of the folder was not looked at\n"))
        << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 16);
    if (jobs == "1") single_out = r.out;
    EXPECT_EQ(r.out, single_out);
    // Every file stamped is undone; the rest were never touched.
    fs.room = -1;
    const memory_run undo = undo_in(fs, journal);
    EXPECT_EQ(undo.status, 0) << undo.err;
    EXPECT_EQ(std::count(undo.out.begin(), undo.out.end(), '\n'), 16);
    expect_untouched(fs);
  }
}

TEST(RunFaults, ASyncThatFailsStampsNothingOfItsBatch) {
  memory_system fs;
  add_photos(fs, 10);
  fs.fail_syncs_after = 1;  // the run's folder line is synced; its first batch is not
  const memory_run r = run_in(fs, {}, journal);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  const std::string text = journal_text(fs);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);  // its first line and the folder's
  expect_untouched(fs);
}

// A journal's batches grow, 16 files, then 256 and twice as many each time
// up to 2,048, so that its syncs are few in a large folder: the fifth sync
// of the run's batches fails after 16 + 256 + 512 + 1,024 files are
// stamped.
TEST(RunFaults, BatchesGrowSoThatSyncsAreFew) {
  memory_system fs;
  for (int i = 0; i < 5000; ++i) {
    add_file(fs,
             "2010-01-0" + std::to_string(1 + i / 1440) + " " + std::to_string(i / 60 % 24) + "." +
                 std::to_string(i % 60) + ".jpg",
             made_at);
  }
  fs.fail_syncs_after = 5;  // the run's folder line, then four batches
  const memory_run r = run_in(fs, {}, journal);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 16 + 256 + 512 + 1024);
}

// Only the first file a folder stamps is read back (its probe); what it
// shows decides how the folder's other files are set.
TEST(RunFaults, AFoldersProbeDecidesHowItsOtherFilesAreSet) {
  memory_system keeps;
  add_photos(keeps, 3);
  keeps.log_calls = true;
  EXPECT_EQ(run_in(keeps, {}).status, 0);
  EXPECT_EQ(keeps.calls,
            (std::vector<std::string>{"look .", "read ./2010-01-01 0.0.jpg",
                                      "write ./2010-01-01 0.0.jpg", "read ./2010-01-01 0.0.jpg",
                                      "write ./2010-01-01 0.1.jpg", "write ./2010-01-01 0.2.jpg"}));
  memory_system drops;
  add_photos(drops, 3);
  drops.log_calls = true;
  drops.keeps = [](const file_time&, const file_time& old) { return old; };
  const memory_run r = run_in(drops, {});
  EXPECT_EQ(r.status, 1);
  // The run's folder looked at, then each: read, write, read back, and the
  // old time put back and read.
  EXPECT_EQ(drops.calls.size(), 1u + 3u * 5u);
  EXPECT_NE(r.err.find("cannot set the time of './2010-01-01 0.2.jpg': the file system cannot "
                       "hold 2010-01-01 00:02:00 UTC (it kept 2001-02-03 04:05:06.123456789 "
                       "UTC); its time is unchanged"),
            std::string::npos)
      << r.err;
}

TEST(RunFaults, ABrokenOutputStopsTheRunBeforeTheNextFile) {
  for (const std::string_view jobs : {"1", "4"}) {
    memory_system fs;
    add_photos(fs, 50);
    memory_console console;
    console.out_fails_after = 1;
    run_plan plan;
    ASSERT_FALSE(resolve_plan(read_arguments({"--jobs", jobs}).options, {}, plan));
    EXPECT_EQ(run_tree(plan, calls_of(fs), output_of(console)), 1);
    EXPECT_EQ(console.out, "Setting timestamp:\t./2010-01-01 0.0.jpg\n");
    EXPECT_EQ(console.err,
              utc_note +
                  "velmora: cannot write to standard output: Broken pipe\n"
                  "velmora: stopped early: 1 file stamped (names read as UTC), 1 left alone (1 "
                  "not reached); the rest of the folder was not looked at\n")
        << jobs;
    int changed = 0;
    for (const auto& [path, time] : times_in(fs)) changed += time != made_at;
    EXPECT_EQ(changed, 1) << jobs;
  }
}

// Interrupted (Ctrl-C): what was handed out is finished and its records
// kept, nothing more is touched, and the line at the end says how to undo.
TEST(RunFaults, AnInterruptFinishesWhatWasHandedOutAndSaysHowToUndo) {
  std::string single_err;
  for (const std::string_view jobs : {"1", "4"}) {
    memory_system fs;
    add_photos(fs, 600);
    fs.interrupt_after = 300;      // entries listed: "." and "..", then 298 photos
    fs.slow_writes = jobs != "1";  // as on a share: the workers set them
    const memory_run r = run_in(fs, {"--jobs", jobs}, journal);
    EXPECT_EQ(r.status, 130);
    EXPECT_TRUE(
        r.err.ends_with("velmora: interrupted: 272 files stamped (names read as UTC), 26 left "
                        "alone (26 not "
                        "reached); the rest of the folder was not looked at; 'velmora "
                        "--undo' puts back what was stamped\n"))
        << r.err;
    if (jobs == "1") single_err = r.err;
    EXPECT_EQ(r.err, single_err);
    const memory_run undo = undo_in(fs, journal);
    EXPECT_EQ(undo.status, 0) << undo.err;
    expect_untouched(fs);
  }
}

}  // namespace
