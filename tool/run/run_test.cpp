// Whole runs over a file system in memory: exactly what a run says and
// does, and that any number of workers says and does what one does.
#include <gtest/gtest.h>

#include "run/jobs_alike.hpp"

namespace {

void add_photos(memory_system& fs) {
  add_file(fs, "2010-09-10 13.40.jpg", made_at);
  add_file(fs, "2011-12-24 18.05.jpg", made_at);
  add_file(fs, "2010-02-30 10.00.jpg", made_at);  // no such day
  add_file(fs, "notes.txt", made_at);
  add_folder(fs, "2012-01-01 00.00.jpg");  // a folder, named like a photo
  add_link(fs, "2013-05-05 05.05.jpg", "notes.txt");
}

TEST(Run, SaysExactlyWhatItDoesAndDoesIt) {
  memory_system fs;
  add_photos(fs);
  const memory_run r = run_in(fs, {"+1", "jpg"});
  EXPECT_EQ(r.out,
            "Setting timestamp:\t./2010-02-30 10.00.jpg\n"
            "Setting timestamp:\t./2010-09-10 13.40.jpg\n"
            "Setting timestamp:\t./2011-12-24 18.05.jpg\n"
            "Setting timestamp:\t./2012-01-01 00.00.jpg\n"
            "Setting timestamp:\t./2013-05-05 05.05.jpg\n");
  EXPECT_EQ(r.err,
            utc_note +
                "velmora: cannot read a date from './2010-02-30 10.00.jpg': that day does not "
                "exist in that month\n"
                "velmora: cannot set the time of './2012-01-01 00.00.jpg': it is a folder\n"
                "velmora: 3 files stamped (names read as UTC); 2 of 5 selected files were left "
                "alone (1 no date, 1 not set)\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(file_at(fs, "2010-09-10 13.40.jpg")->mtime, utc(2010, 9, 10, 14, 40));
  EXPECT_EQ(file_at(fs, "2010-02-30 10.00.jpg")->mtime, made_at);
  EXPECT_EQ(file_at(fs, "notes.txt")->mtime, utc(2013, 5, 5, 6, 5));  // through the link
}

// A phone's folder run in the base form: once, at the end, how many names
// --auto would read, and how to see it.
TEST(Run, SaysOnceHowManyNamesAutoWouldRead) {
  memory_system fs;
  add_file(fs, "IMG_20100910_134012.jpg", made_at);
  add_file(fs, "PXL_20230101_123456789.jpg", made_at);
  add_file(fs, "DSC_0001.jpg", made_at);
  const std::string hint =
      "velmora: --auto reads a date and time in 2 of these names (in the shapes phones and apps "
      "write, such as IMG_20100910_134012.jpg); 'velmora --auto --dry-run jpg' shows the times it "
      "would set\n";
  EXPECT_NE(run_in(fs, {"jpg"}).err.find(hint), std::string::npos);
  EXPECT_EQ(run_in(fs, {"--auto", "jpg"}).err.find("--auto reads a"), std::string::npos);
  EXPECT_EQ(run_in(fs, {"--format", "%Y%m%d_%H%M", "jpg"}).err.find("--auto reads a"),
            std::string::npos);
}

// Run in an export's top folder, --takeout says where the photos are.
TEST(Run, TakeoutsTopFolderShowsTheWayIntoItsSubfolders) {
  memory_system fs;
  add_file(fs, "Photos from 2019/IMG_1.jpg", made_at);
  const std::string hint =
      "velmora: a Takeout export keeps its photos in subfolders, such as 'Photos from 2019', "
      "which only 'velmora --takeout --recursive' walks into\n";
  EXPECT_NE(run_in(fs, {"--takeout"}).err.find(hint), std::string::npos);
  EXPECT_EQ(run_in(fs, {"--takeout", "--recursive"}).err.find("subfolders"), std::string::npos);
  EXPECT_EQ(run_in(fs, {}).err.find("subfolders"), std::string::npos);
}

// Sidecars are looked for only in folders that hold some: elsewhere each
// name would cost a lookup that finds nothing (a round trip on a share).
TEST(Run, SidecarsAreLookedForOnlyWhereTheFolderHoldsSome) {
  memory_system fs;
  add_file(fs, "2010-09-10 13.40.jpg", made_at);
  add_file(fs, "with/2011-12-24 18.05.jpg", made_at);
  add_file(fs, "with/other.json", made_at);
  fs.fault = [](const std::string& call, const std::string&) {
    return call == "beside" ? EACCES : 0;
  };
  const memory_run r = run_in(fs, {"--takeout", "--recursive", "jpg"});
  EXPECT_EQ(file_at(fs, "2010-09-10 13.40.jpg")->mtime, utc(2010, 9, 10, 13, 40));
  EXPECT_EQ(file_at(fs, "with/2011-12-24 18.05.jpg")->mtime, made_at);  // looked for, and failed
  EXPECT_NE(r.err.find("cannot read its sidecar './with/"), std::string::npos) << r.err;
}

TEST(Run, ADryRunSaysWhatItWouldSetAndSetsNothing) {
  memory_system fs;
  add_photos(fs);
  const auto before = times_in(fs);
  const memory_run r = run_in(fs, {"--dry-run", "2010-09-10 13.40.jpg", "jpg"});
  EXPECT_EQ(r.out,
            "Would set timestamp:\t./2010-09-10 13.40.jpg\t2010-09-10 13:40:00 UTC\t2001-02-03 "
            "04:05:06.123456789 UTC\t+3506d 9h 34m 53.876543211s\n"
            "Would set timestamp:\t./2011-12-24 18.05.jpg\t2011-12-24 18:05:00 UTC\t2001-02-03 "
            "04:05:06.123456789 UTC\t+3976d 13h 59m 53.876543211s\n"
            "Would set timestamp:\t./2013-05-05 05.05.jpg\t2013-05-05 05:05:00 UTC\t2001-02-03 "
            "04:05:06.123456789 UTC\t+4474d 59m 53.876543211s\n");
  EXPECT_TRUE(
      r.err.starts_with("velmora: names are read as UTC (--local or --tz ZONE reads "
                        "them in a zone)\n"))
      << r.err;
  EXPECT_EQ(times_in(fs), before);
}

// A folder of many dated names in two levels, with some that fail.
void add_many(memory_system& fs) {
  for (int i = 0; i < 300; ++i) {
    const std::string name = "2010-01-0" + std::to_string(1 + i % 9) + " " +
                             std::to_string(i / 60 % 24) + "." + std::to_string(i % 60) + ".jpg";
    add_file(fs, (i % 7 == 0 ? "sub/" : "") + name, made_at);
  }
  add_file(fs, "2010-02-30 10.00.jpg", made_at);
  add_file(fs, "2050-01-01 00.00.jpg", made_at);  // past 2038: read back
}

TEST(Run, AnyNumberOfJobsSaysAndDoesWhatOneDoes) {
  const auto rounds_to_even_seconds = [](memory_system& fs) {  // FAT
    add_many(fs);
    fs.keeps = [](const file_time& given, const file_time&) {
      const auto whole = std::chrono::floor<std::chrono::seconds>(given.tick);
      return file_time{whole - std::chrono::seconds{(whole - unix_epoch).count() / 10'000'000 % 2},
                       0};
    };
  };
  const auto clamps_at_2038 = [](memory_system& fs) {  // ext4 with 128-byte inodes
    add_many(fs);
    fs.keeps = [](const file_time& given, const file_time&) {
      const tick_time last = unix_epoch + std::chrono::seconds{INT32_MAX};
      return given.tick > last ? file_time{last, 0} : given;
    };
  };
  const auto keeps_nothing = [](memory_system& fs) {  // FAT through some FUSE drivers
    add_many(fs);
    fs.keeps = [](const file_time&, const file_time& old) { return old; };
  };
  const auto fails_some = [](memory_system& fs) {
    add_many(fs);
    fs.fault = [](const std::string& call, const std::string& path) {
      if (call == "write" && path.find(" 1.1") != std::string::npos) return EIO;
      if (call == "check" && path.find(" 2.2") != std::string::npos) return EACCES;
      return 0;
    };
  };
  using maker = std::function<void(memory_system&)>;
  for (const maker& make :
       std::vector<maker>{rounds_to_even_seconds, clamps_at_2038, keeps_nothing, fails_some}) {
    expect_any_jobs_alike(make, {"--recursive"});
    expect_any_jobs_alike(make, {"--recursive", "--dry-run"});
  }
}

// One file under several selected names ends at the time of the last
// name listed, however many workers set it.
TEST(Run, OneFileUnderTwoNamesEndsAsWithOneWorker) {
  const auto make = [](memory_system& fs) {
    fs.slow_writes = true;
    add_file(fs, "2010-01-01 10.00.jpg", made_at);
    for (int i = 1; i <= 20; ++i) {
      const std::string name = "2010-01-" + std::to_string(10 + i) + " 10.00.jpg";
      if (i % 2 == 0) {
        add_hard_link(fs, name, "2010-01-01 10.00.jpg");
      } else {
        add_link(fs, name, "2010-01-01 10.00.jpg");
      }
    }
    for (int i = 0; i < 60; ++i)
      add_file(fs, "2011-01-01 0." + std::to_string(i) + ".jpg", made_at);
  };
  expect_any_jobs_alike(make, {});
}

// A file system that keeps milliseconds: the run says it rounds, and its
// journal undoes every file to what it was.
TEST(Run, AJournaledRunOnAFileSystemThatKeepsMillisecondsIsUndone) {
  memory_system fs;
  fs.keeps = [](const file_time& given, const file_time&) {
    return file_time{std::chrono::floor<std::chrono::milliseconds>(given.tick), 0};
  };
  const file_time was = utc(2001, 2, 3, 4, 5, 6, 123'000'000);
  for (const char* name : {"20220522_122802.881926-0400.m4a", "20220522_122803.5-0400.m4a",
                           "IMG_20100910_134012.jpg"}) {
    add_file(fs, name, was);
  }
  const memory_run r = run_in(fs, {"--auto"}, "/journal");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("keeps times in steps"), std::string::npos) << r.err;
  EXPECT_EQ(file_at(fs, "20220522_122802.881926-0400.m4a")->mtime,
            utc(2022, 5, 22, 16, 28, 2, 881'000'000));
  const memory_run undo = undo_in(fs, "/journal");
  EXPECT_EQ(undo.status, 0) << undo.err;
  EXPECT_EQ(undo.err, "");
  for (const auto& [path, time] : times_in(fs)) {
    if (path != "/journal") {
      EXPECT_EQ(time, was) << path;
    }
  }
}

}  // namespace
