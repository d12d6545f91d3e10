// A Google Takeout export, as Takeout names its files, stamped with
// --takeout: every time checked to the second, every message read.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "tool_runner.hpp"

namespace {

std::string sidecar(const std::string& title, long long seconds) {
  return R"({"title": ")" + title + R"(", "creationTime": {"timestamp": "1700000000"},
  "photoTakenTime": {"timestamp": ")" +
         std::to_string(seconds) + R"(", "formatted": "for people"}})";
}

struct photo {
  std::string path;
  long long seconds;  // the time it must get, since 1970; 0: left as it was
};

// Both sidecar forms mixed, clipped names, duplicates, edited copies in
// two languages, motion photos, an album, a broken sidecar, another
// file's, and files without one.
struct takeout_tree {
  std::vector<photo> photos;
  std::vector<std::string> sidecars;

  void add(const std::string& media, long long seconds) { photos.push_back({media, seconds}); }
  void side(const scratch& dir, const std::string& name, const std::string& text) {
    make_file(dir.at(name), text);
    sidecars.push_back(name);
  }

  explicit takeout_tree(const scratch& dir) {
    const std::string y = "Photos from 2019/";
    mkdir(dir.at(y).c_str(), 0755);
    mkdir(dir.at("Trip album").c_str(), 0755);
    add(y + "IMG_3397.JPG", 1258375918);
    side(dir, y + "IMG_3397.JPG.json", sidecar("IMG_3397.JPG", 1258375918));
    add(y + "IMG_3398.JPG", 1258375920);
    side(dir, y + "IMG_3398.JPG.supplemental-metadata.json", sidecar("IMG_3398.JPG", 1258375920));
    add(y + "PXL_20230101_123456789.jpg", 1672576496);
    side(dir, y + "PXL_20230101_123456789.jpg.supplemental-metada.json",
         sidecar("PXL_20230101_123456789.jpg", 1672576496));
    add(y + "PXL_20230101_123456789.MP", 1672576496);  // the still's
    const std::string long_name = "a_very_long_original_file_name_from_a_camera_app.jpg";
    add(y + long_name, 1500000000);
    side(dir, y + "a_very_long_original_file_name_from_a_camera_a.json",
         sidecar(long_name, 1500000000));
    add(y + "IMG_1234.jpg", 1400000000);
    side(dir, y + "IMG_1234.jpg.json", sidecar("IMG_1234.jpg", 1400000000));
    add(y + "IMG_1234(1).jpg", 1400000111);
    side(dir, y + "IMG_1234.jpg(1).json", sidecar("IMG_1234.jpg", 1400000111));
    add(y + "IMG_1234(2).jpg", 1400000222);
    side(dir, y + "IMG_1234.jpg.supplemental-metadata(2).json",
         sidecar("IMG_1234.jpg", 1400000222));
    add(y + "IMG_1234-edited.jpg", 1400000000);
    add(y + "IMG_1234-bearbeitet.jpg", 1400000000);
    add(y + "VID_2.MP4", 1300000000);  // a motion photo's video beside its still
    add(y + "VID_2.jpg", 1300000000);
    side(dir, y + "VID_2.jpg.json", sidecar("VID_2.jpg", 1300000000));
    add(y + "IMG_9.jpg", 0);
    side(dir, y + "IMG_9.jpg.json", R"({"title": "IMG_9.jpg", "photoTakenTime": {"time)");
    add(y + "IMG_8.jpg", 0);
    side(dir, y + "IMG_8.jpg.json", sidecar("IMG_7.jpg", 1200000000));
    add(y + "2019-05-01 10.30.jpg", 1556706600);  // no sidecar: its name
    add(y + "DSC_0001.JPG", 0);                   // neither
    // A duplicate's number so long that, moved, it makes no name at all.
    add(y + "2019-05-02 10.30(" + std::string(230, '7') + ").jpg", 1556793000);
    add("Trip album/IMG_5.jpg", 1560000000);
    side(dir, "Trip album/IMG_5.jpg.json", sidecar("IMG_5.jpg", 1560000000));
    side(dir, "Trip album/metadata.json", R"({"title": "Trip", "date": {"timestamp": "1"}})");
    for (const photo& p : photos) make_file(dir.at(p.path));
  }
};

long long expected(const photo& p) {
  return p.seconds == 0 ? old_mtime : p.seconds * 1'000'000'000;
}

TEST(Takeout, AnExportIsStampedFromItsSidecarsAndEveryFaultIsSaid) {
  scratch dir;
  const takeout_tree tree(dir);
  const tool_result r = run_tool(dir.path, {"--takeout", "--recursive", "--utc"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(count_lines(r.err), 4) << r.err;  // the three below, and the summary
  for (const photo& p : tree.photos) EXPECT_EQ(mtime_of(dir.at(p.path)), expected(p)) << p.path;
  for (const std::string& s : tree.sidecars) {
    EXPECT_EQ(mtime_of(dir.at(s)), old_mtime) << s;
    // Read by their owner without touching their last-access time (Linux).
    if (!testing_windows_build()) {
      EXPECT_EQ(atime_of(dir.at(s)), old_atime) << s;
    }
  }
  EXPECT_FALSE(contains(r.out, ".json")) << r.out;
  EXPECT_EQ(count_lines(r.out), 18) << r.out;  // one for each photo, as in any run
  const std::string y = "cannot read a date from './Photos from 2019/";
  EXPECT_TRUE(contains(r.err, y + "IMG_9.jpg': its sidecar './Photos from 2019/IMG_9.jpg.json' "
                                  "is not a JSON object"))
      << r.err;
  EXPECT_TRUE(contains(r.err, y + "IMG_8.jpg': its sidecar './Photos from 2019/IMG_8.jpg.json' "
                                  "describes another file, 'IMG_7.jpg'"))
      << r.err;
  EXPECT_TRUE(contains(r.err, y + "DSC_0001.JPG': no sidecar, and no date in the form")) << r.err;
  EXPECT_FALSE(contains(r.err, "metadata.json")) << r.err;
  EXPECT_TRUE(contains(r.err,
                       "15 files stamped (names read as UTC); 3 of 18 selected files were left "
                       "alone (3 no date)"))
      << r.err;
}

// The line of a path in a run's output, without its line end.
std::string line_of(const std::string& out, const std::string& path) {
  const std::size_t at = out.find("\t" + path + "\t");
  if (at == std::string::npos) return "";
  return out.substr(at + 1, out.find_first_of("\r\n", at) - at - 1);
}

TEST(Takeout, ADryRunSaysWhichSidecarEachTimeCameFrom) {
  scratch dir;
  const takeout_tree tree(dir);
  const tool_result r = run_tool(dir.path, {"--takeout", "--recursive", "--dry-run", "jpg"});
  const std::string y = "./Photos from 2019/";
  const std::string edited = line_of(r.out, y + "IMG_1234-edited.jpg");
  EXPECT_TRUE(edited.starts_with(y + "IMG_1234-edited.jpg\t2014-05-13 16:53:20 UTC\t2001-02-03 "))
      << r.out;
  EXPECT_TRUE(edited.ends_with("\t" + y + "IMG_1234.jpg.json")) << edited;
  const std::string named = line_of(r.out, y + "2019-05-01 10.30.jpg");
  EXPECT_TRUE(named.starts_with(y + "2019-05-01 10.30.jpg\t2019-05-01 10:30:00 UTC\t")) << r.out;
  EXPECT_TRUE(named.ends_with("\tname")) << named;
  for (const photo& p : tree.photos) EXPECT_EQ(mtime_of(dir.at(p.path)), old_mtime) << p.path;
}

// Undone exactly, and the same with many threads as with one.
TEST(Takeout, AJournaledRunUndoesAndManyThreadsSayTheSame) {
  scratch one, many, elsewhere;
  const takeout_tree a(one), b(many);
  const std::string journal = elsewhere.at("undo.txt");
  const tool_result first =
      run_tool(one.path, {"--takeout", "--recursive", "--jobs", "1", "--journal", journal});
  const tool_result parallel = run_tool(many.path, {"--takeout", "--recursive", "--jobs", "8"});
  EXPECT_EQ(parallel.out, first.out);
  EXPECT_EQ(parallel.err, first.err);
  for (const photo& p : b.photos) EXPECT_EQ(mtime_of(many.at(p.path)), expected(p)) << p.path;
  const tool_result undo = run_tool(one.path, {"--undo", journal});
  EXPECT_EQ(undo.status, 0) << undo.err;
  const long long kept = testing_windows_build() ? old_mtime / 100 * 100 : old_mtime;
  for (const photo& p : a.photos) {
    EXPECT_EQ(mtime_of(one.at(p.path)), p.seconds == 0 ? old_mtime : kept) << p.path;
  }
}

// Sidecars read are closed together; a run allowed few descriptors
// closes them sooner and does all the same.
TEST(Takeout, AFewDescriptorsAreEnough) {
  if (testing_windows_build()) GTEST_SKIP() << "wine needs descriptors of its own";
  scratch plenty, few;
  const takeout_tree a(plenty), b(few);
  const tool_result r = run_tool(plenty.path, {"--takeout", "--recursive"});
  run_setup tight;
  tight.max_files = 12;
  const tool_result t = run_tool(few.path, {"--takeout", "--recursive"}, tight);
  EXPECT_EQ(t.status, r.status);
  EXPECT_EQ(t.out, r.out);
  EXPECT_EQ(t.err, r.err);
  for (const photo& p : b.photos) EXPECT_EQ(mtime_of(few.at(p.path)), expected(p)) << p.path;
}

}  // namespace
