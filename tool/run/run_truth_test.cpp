// A run says exactly what it did: a write made and then failed, its own
// journal in the folder, a fraction after a probe of whole seconds, a file
// system that turns read-only; old times taken from the listing's own look.
#include <gtest/gtest.h>

#include "run/in_memory_run.hpp"

namespace {

void add_photos(memory_system& fs, int count) {
  for (int i = 0; i < count; ++i) {
    add_file(fs, "2010-01-01 0." + std::to_string(10 + i) + ".jpg", made_at);
  }
}

TEST(Truth, AWriteMadeAndThenFailedSaysWhatTheFileHasAndIsUndone) {
  memory_system fs;
  add_photos(fs, 3);
  fs.fault = [](const std::string& call, const std::string& path) {
    return call == "wrote" && path.ends_with("0.11.jpg") ? EIO : 0;
  };
  const memory_run r = run_in(fs, {}, "/journal");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("cannot set the time of './2010-01-01 0.11.jpg': Input/output error; it "
                       "now has 2010-01-01 00:11:00 UTC"),
            std::string::npos)
      << r.err;
  fs.fault = nullptr;
  EXPECT_EQ(undo_in(fs, "/journal").status, 0);
  EXPECT_EQ(file_at(fs, "2010-01-01 0.11.jpg")->mtime, made_at);
}

TEST(Truth, ARunNeverStampsOrReportsItsOwnJournal) {
  memory_system fs;
  add_photos(fs, 2);
  const memory_run r = run_in(fs, {"txt", "jpg"}, "/photos/undo.txt");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err.find("undo.txt"), std::string::npos) << r.err;
  EXPECT_EQ(r.out.find("undo.txt"), std::string::npos) << r.out;
}

// A folder whose probe had whole seconds has not shown that it keeps
// fractions: a later time with one is read back, and its rounding said.
TEST(Truth, AFractionAfterAProbeOfWholeSecondsIsReadBack) {
  std::string single;
  for (const std::string_view jobs : {"1", "4"}) {
    memory_system fs;
    fs.keeps = [](const file_time& given, const file_time&) {
      return file_time{std::chrono::floor<std::chrono::seconds>(given.tick), 0};
    };
    add_file(fs, "IMG_20100910_134012.jpg", made_at);
    add_file(fs, "PXL_20230101_123456789.jpg", made_at);
    const memory_run r = run_in(fs, {"--auto", "--verbose", "--jobs", jobs});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("keeps times in steps: './PXL_20230101_123456789.jpg' holds 2023-01-01 "
                         "12:34:56 UTC"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("'./PXL_20230101_123456789.jpg': 2023-01-01 12:34:56 UTC, read as UTC, "
                         "which this shape writes (kept in the file system's steps)"),
              std::string::npos)
        << r.err;
    if (jobs == "1") single = r.err;
    // All but the line that says how many files are stamped at once.
    const auto after_jobs = [](const std::string& err) {
      return err.substr(err.find('\n', err.find("at once")));
    };
    EXPECT_EQ(after_jobs(r.err), after_jobs(single));
  }
}

TEST(Truth, AFileSystemThatTurnsReadOnlyStopsTheRunAtTheFirstFile) {
  std::string single;
  for (const std::string_view jobs : {"1", "4"}) {
    memory_system fs;
    add_photos(fs, 12);  // within the first batch, whose files are all queued
    fs.fault = [](const std::string& call, const std::string&) {
      return call == "write" ? EROFS : 0;
    };
    const memory_run r = run_in(fs, {"--jobs", jobs}, "/journal");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 4) << r.err;  // with the zone
    EXPECT_NE(r.err.find("the file system is read-only: the run stops here"), std::string::npos);
    EXPECT_NE(r.err.find("stopped early: 0 files stamped, 12 left alone (1 not set, 11 not "
                         "reached)"),
              std::string::npos)
        << r.err;
    if (jobs == "1") single = r.err;
    EXPECT_EQ(r.err, single);
  }
}

// Where the listing looks at each entry to learn its kind, the
// journal takes each file's old time, and what tells its names, from that
// look: the run says and sets the same, and is undone to the nanosecond.
TEST(Truth, OldTimesFromTheListingsOwnLookAreUndoneExactly) {
  const auto make = [](memory_system& fs, bool listing_looks) {
    fs.listing_looks = listing_looks;
    fs.log_calls = true;
    for (int i = 0; i < 30; ++i) {
      add_file(fs, "2010-01-01 0." + std::to_string(10 + i) + ".jpg",
               utc(2001, 1, 1 + i, 0, 0, 0, 1000 * i + 7));
    }
    add_hard_link(fs, "2011-05-05 5.05.jpg", "2010-01-01 0.10.jpg");
  };
  memory_system looks_itself;
  make(looks_itself, false);
  const memory_run expected = run_in(looks_itself, {"--jobs", "4"}, "/journal");
  memory_system fs;
  make(fs, true);
  const std::map<std::string, file_time> before = times_in(fs);
  const memory_run r = run_in(fs, {"--jobs", "4"}, "/journal");
  EXPECT_EQ(r.status, 1);  // one file under two names, of two times: left alone
  EXPECT_EQ(r.out, expected.out);
  EXPECT_EQ(r.err, expected.err);
  EXPECT_EQ(times_in(fs), times_in(looks_itself));
  EXPECT_EQ(std::count_if(fs.calls.begin(), fs.calls.end(),
                          [](const std::string& call) { return call.starts_with("look ./"); }),
            0);
  EXPECT_GT(std::count_if(looks_itself.calls.begin(), looks_itself.calls.end(),
                          [](const std::string& call) { return call.starts_with("look ./"); }),
            30);
  EXPECT_EQ(undo_in(fs, "/journal").status, 0);
  std::map<std::string, file_time> after = times_in(fs);
  after.erase("/journal");
  EXPECT_EQ(after, before);
}

}  // namespace
