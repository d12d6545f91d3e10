// What a run may touch: only what it was given. A file swapped for a link
// between the listing and the stamp is never followed, and a link another
// user planted in a shared folder is left alone.
#include <gtest/gtest.h>

#include "run/in_memory_run.hpp"

namespace {

const std::string victim = "/outside/victim";

// A folder with one dated file, and a file outside it that the run must
// never touch.
void make_folder(memory_system& fs) {
  add_file(fs, victim, made_at);
  add_file(fs, "2010-01-01 00.00.jpg", made_at);
  add_file(fs, "2011-01-01 00.00.jpg", made_at);
}

// Between the listing and the given call, another program exchanges the
// dated file and a link to the victim (renameat2 RENAME_EXCHANGE).
void swap_at(memory_system& fs, const std::string& when) {
  add_link(fs, "/photos-outside/lure", victim);
  fs.fault = [&fs, when, done = false](const std::string& call, const std::string& path) mutable {
    if (!done && call == when && path == fs.root + "/2010-01-01 00.00.jpg") {
      std::swap(fs.entries[path], fs.entries["/photos-outside/lure"]);
      done = true;
    }
    return 0;
  };
}

TEST(RunLinks, AFileSwappedForALinkIsNeverFollowed) {
  memory_system plain;
  make_folder(plain);
  swap_at(plain, "write");
  run_in(plain, {});
  EXPECT_EQ(plain.entries.at(victim)->mtime, made_at);
  // The link now there got its own time, never the victim's.
  EXPECT_EQ(plain.entries.at(plain.root + "/2010-01-01 00.00.jpg")->mtime, utc(2010, 1, 1));

  memory_system journaled;
  make_folder(journaled);
  swap_at(journaled, "look");
  const memory_run r = run_in(journaled, {}, "/journal");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("cannot set the time of './2010-01-01 00.00.jpg': it is no longer the "
                       "file that was listed (it is now a link); left alone"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(journaled.entries.at(victim)->mtime, made_at);
  EXPECT_EQ(journaled.entries.at("/journal")->data.find("2010-01-01 00.00"), std::string::npos);
  EXPECT_EQ(file_at(journaled, "2011-01-01 00.00.jpg")->mtime, utc(2011, 1, 1));
}

TEST(RunLinks, OnlyTheRunnersLinksOrTheirTargetOwnersAreFollowed) {
  memory_system fs;
  fs.runner = 0;                                       // root
  add_file(fs, victim, made_at);                       // root's
  add_link(fs, "2010-01-01 00.00.jpg", victim, 1000);  // planted by user 1000
  add_file(fs, "/home/ann/photo", made_at).owner = 1000;
  add_link(fs, "2012-01-01 00.00.jpg", "/home/ann/photo", 1000);  // Ann's, to her photo
  add_file(fs, "/home/ann/other", made_at).owner = 1000;
  add_link(fs, "2013-01-01 00.00.jpg", "/home/ann/other", 0);  // root's own
  add_file(fs, "2010-01-01 00.00.jpg.json", made_at,
           R"({"title":"2010-01-01 00.00.jpg","photoTakenTime":{"timestamp":"0"}})");
  for (const std::vector<std::string_view>& words :
       std::vector<std::vector<std::string_view>>{{"jpg"}, {"--takeout", "jpg"}}) {
    const memory_run r = run_in(fs, words, "/journal");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot set the time of './2010-01-01 00.00.jpg': it is a link that "
                         "user 1000 owns, to a file of user 0; velmora follows a link only when "
                         "you, or the owner of what it leads to, own it"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(fs.entries.at(victim)->mtime, made_at);
    EXPECT_EQ(fs.entries.at("/home/ann/photo")->mtime, utc(2012, 1, 1));
    EXPECT_EQ(fs.entries.at("/home/ann/other")->mtime, utc(2013, 1, 1));
  }
  // The undo follows the links the run followed, by the same rule.
  const memory_run undo = undo_in(fs, "/journal");
  EXPECT_EQ(undo.status, 0) << undo.err;
  EXPECT_EQ(fs.entries.at("/home/ann/photo")->mtime, made_at);
  EXPECT_EQ(fs.entries.at("/home/ann/other")->mtime, made_at);
  EXPECT_EQ(fs.entries.at(victim)->mtime, made_at);
}

TEST(RunLinks, AnUndoNeverFollowsWhatWasNoLinkInTheRun) {
  memory_system fs;
  make_folder(fs);
  ASSERT_EQ(run_in(fs, {}, "/journal").status, 0);
  // Since the run, the file was swapped for a link to the victim, and a
  // folder for a link to the victim's folder.
  add_link(fs, "/photos-outside/lure", victim);
  std::swap(fs.entries[fs.root + "/2010-01-01 00.00.jpg"], fs.entries["/photos-outside/lure"]);
  file_at(fs, victim)->mtime = utc(2011, 1, 1);  // the time the run set its other file
  const memory_run undo = undo_in(fs, "/journal");
  EXPECT_EQ(undo.status, 1);
  EXPECT_NE(undo.err.find("cannot restore '/photos/2010-01-01 00.00.jpg': it is now a link, "
                          "which velmora does not follow"),
            std::string::npos)
      << undo.err;
  EXPECT_EQ(fs.entries.at(victim)->mtime, utc(2011, 1, 1));
  EXPECT_EQ(file_at(fs, "2011-01-01 00.00.jpg")->mtime, made_at);
}

}  // namespace

namespace {

// A file reached under two names that give different times ends where it
// was, whichever name is listed first, and whether the names are in one
// journal batch or far apart.
TEST(RunLinks, OneFileUnderNamesOfTwoTimesIsLeftAloneInAnyOrder) {
  for (const bool far_apart : {false, true}) {
    for (const bool link_first : {false, true}) {
      memory_system fs;
      // Listed by name: "a..." before "b...".
      const std::string file = link_first ? "b 2010-09-10 13.40.jpg" : "a 2010-09-10 13.40.jpg";
      const std::string link = link_first ? "a 2015-01-01 10.00.jpg" : "b 2015-01-01 10.00.jpg";
      add_file(fs, file, made_at);
      add_link(fs, link, file);
      add_hard_link(fs, "c 2016-01-01 10.00.jpg", file);
      for (int i = 0; far_apart && i < 300; ++i) {
        std::string name = "b 2011-01-01 00.00 ";
        name.append(std::to_string(1000 + i)).append(".jpg");
        add_file(fs, name, made_at);
      }
      const memory_run r = run_in(fs, {"}2", "jpg"}, "/journal");
      EXPECT_EQ(r.status, 1);
      EXPECT_EQ(file_at(fs, file)->mtime, made_at) << far_apart << link_first << r.err;
      EXPECT_NE(r.err.find("whose name gives another time"), std::string::npos) << r.err;
      EXPECT_NE(r.err.find("3 not set"), std::string::npos) << r.err;
      // The same with many workers.
      file_at(fs, file)->mtime = made_at;
      fs.entries.erase("/journal");
      const memory_run many = run_in(fs, {"}2", "jpg", "--jobs", "4"}, "/journal");
      EXPECT_EQ(many.err, r.err);
      EXPECT_EQ(file_at(fs, file)->mtime, made_at);
    }
  }
}

}  // namespace
