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
  add_link(fs, "2013-01-01 00.00.jpg", "/home/ann/photo", 0);     // root's own
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
    EXPECT_EQ(fs.entries.at("/home/ann/photo")->mtime, utc(2013, 1, 1));  // the last link listed
  }
  // The undo follows the links the run followed, by the same rule.
  const memory_run undo = undo_in(fs, "/journal");
  EXPECT_EQ(undo.status, 0) << undo.err;
  EXPECT_EQ(fs.entries.at("/home/ann/photo")->mtime, made_at);
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
