// Real file systems, made in image files and mounted for a test: what each
// reported outcome says must be what stat then shows. Needs root, loop
// devices and the file systems' tools; skipped where they are missing.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "slow_mount.hpp"
#include "tool_runner.hpp"

namespace {

// An image of a file system, mounted at point for the test's length.
struct mounted_image {
  std::string image;
  std::string point;
  std::string unmount;
  bool ok = false;
  mounted_image(const scratch& dir, const std::string& make, const std::string& mount,
                const std::string& unmount_command, const std::string& size)
      : image(dir.at("fs.img")), point(dir.at("mnt")), unmount(unmount_command) {
    std::filesystem::create_directory(point);
    // In mount, IMAGE and POINT stand for the two paths.
    std::string command = mount;
    command.replace(command.find("IMAGE"), 5, "'" + image + "'");
    command.replace(command.find("POINT"), 5, "'" + point + "'");
    ok = shell("truncate -s " + size + " '" + image + "'") && shell(make + " '" + image + "'") &&
         shell(command);
  }
  ~mounted_image() {
    if (ok) shell(unmount + " '" + point + "'");
    shell("losetup -j '" + image + "' | cut -d: -f1 | xargs -r -n1 losetup -d");
  }
};

#define NEEDS_ROOT_AND_LOOPS()                                                             \
  if (testing_windows_build() || geteuid() != 0 || access("/dev/loop-control", F_OK) != 0) \
  GTEST_SKIP() << "needs root and loop devices"

const std::string far_future = "2050-01-01 00.00.jpg";  // past 32-bit seconds
const std::string ordinary = "2010-09-10 13.40.jpg";

void expect_clamp_caught(const mounted_image& fs) {
  make_file(fs.point + "/" + far_future);
  make_file(fs.point + "/" + ordinary);
  const long long before = mtime_of(fs.point + "/" + far_future);
  const tool_result r = run_tool(fs.point, {});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(contains(r.err, "'./" + far_future + "': the file system cannot hold 2050-01-01"))
      << r.err;
  EXPECT_EQ(mtime_of(fs.point + "/" + far_future), before);  // unchanged, as it says
  EXPECT_EQ(mtime_of(fs.point + "/" + ordinary), utc_ns(2010, 9, 10, 13, 40));
}

TEST(FileSystemsAsRoot, Ext4WithSmallInodesClampsAndIsCaught) {
  NEEDS_ROOT_AND_LOOPS();
  scratch dir;
  const mounted_image fs(dir, "mkfs.ext4 -q -F -I 128", "mount -o loop IMAGE POINT", "umount",
                         "32M");
  if (!fs.ok) GTEST_SKIP() << "cannot make or mount ext4";
  expect_clamp_caught(fs);
}

TEST(FileSystemsAsRoot, XfsWithoutBigtimeClampsAndIsCaught) {
  NEEDS_ROOT_AND_LOOPS();
  scratch dir;
  const mounted_image fs(dir, "mkfs.xfs -q -f -m bigtime=0", "mount -o loop IMAGE POINT", "umount",
                         "320M");
  if (!fs.ok) GTEST_SKIP() << "cannot make or mount XFS (xfsprogs)";
  expect_clamp_caught(fs);
}

// FAT and exFAT through FUSE answer utimensat with success and keep nothing.
TEST(FileSystemsAsRoot, FatAndExfatThroughFuseKeepNothingAndItIsSaid) {
  NEEDS_ROOT_AND_LOOPS();
  const std::string missing =
      missing_tools({"mkfs.vfat", "fusefat", "mkfs.exfat", "mount.exfat-fuse"});
  if (!missing.empty()) GTEST_SKIP() << "needs " << missing;
  for (const auto& [make, mount] : std::vector<std::pair<std::string, std::string>>{
           {"mkfs.vfat", "fusefat -o rw+ IMAGE POINT"},
           {"mkfs.exfat", "mount.exfat-fuse $(losetup -f --show IMAGE) POINT"}}) {
    scratch dir;
    const mounted_image fs(dir, make, mount, "fusermount3 -u", "32M");
    if (!fs.ok) {
      ADD_FAILURE() << "cannot mount " << make << "'s file system: " << mount;
      continue;
    }
    std::ofstream(fs.point + "/" + ordinary) << "photo";
    std::ofstream(fs.point + "/2011-01-01 10.00.jpg") << "photo";
    const long long before = mtime_of(fs.point + "/" + ordinary);
    const tool_result r = run_tool(fs.point, {});
    EXPECT_EQ(r.status, 1) << make;
    EXPECT_TRUE(contains(r.err, "'./" + ordinary + "': the file system cannot hold")) << r.err;
    EXPECT_TRUE(contains(r.err, "'./2011-01-01 10.00.jpg': the file system cannot hold")) << r.err;
    EXPECT_TRUE(contains(r.err, "2 of 2 selected files were left alone")) << r.err;
    EXPECT_EQ(mtime_of(fs.point + "/" + ordinary), before);
  }
}

TEST(FileSystemsAsRoot, FatRoundsToEvenSecondsAndSaysSoOnce) {
  NEEDS_ROOT_AND_LOOPS();
  scratch dir;
  const mounted_image fs(dir, "mkfs.vfat", "mount -t vfat -o loop IMAGE POINT", "umount", "32M");
  if (!fs.ok) GTEST_SKIP() << "cannot make or mount FAT";
  for (const char* name : {"2010-09-10 13.40.17.jpg", "2010-09-10 13.40.19.jpg"}) {
    std::ofstream(fs.point + "/" + name) << "photo";
  }
  const tool_result r = run_tool(fs.point, {"--seconds"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(count_lines(r.err), 1) << r.err;  // once for the folder
  EXPECT_TRUE(contains(r.err, "keeps times in steps")) << r.err;
  const long long kept = mtime_of(fs.point + "/2010-09-10 13.40.17.jpg");
  EXPECT_LT(std::llabs(kept - utc_ns(2010, 9, 10, 13, 40, 17)), 2'000'000'000LL);
}

}  // namespace

namespace {

// Pixel names with milliseconds, which whole-second file systems round,
// and a time past 2038, which they clamp: in two folders.
void make_phone_folder(const std::string& folder) {
  std::filesystem::create_directories(folder + "/sub");
  for (int i = 0; i < 7; ++i) {
    const std::string ms = std::to_string(100 + i * 111);
    make_file(folder + "/PXL_20230101_123456" + ms + ".jpg");
    make_file(folder + "/sub/PXL_20230102_123456" + ms + ".jpg");
  }
  make_file(folder + "/PXL_20500101_120000000.jpg");
  make_file(folder + "/IMG_20100910_134012.jpg");
  make_file(folder + "/sub/IMG_20100911_134012.jpg");
}

struct jobs_outcome {
  tool_result result;
  std::map<std::string, long long> times;
};

jobs_outcome stamp_with(const std::string& folder, const std::string& jobs) {
  jobs_outcome o{run_tool(folder, {"--auto", "--recursive", "--jobs", jobs}), {}};
  for (const auto& [path, state] : snapshot(folder)) {
    if (!state.content.empty()) {
      o.times[path] = state.mtime;
      set_old_times(folder + "/" + path);  // as they were, for the next run
    }
  }
  return o;
}

// Whatever the thread count, the same lines, the same status and the same
// times; and a file system that rounds is said to, once a folder.
void expect_same_for_any_jobs(const std::string& folder) {
  make_phone_folder(folder);
  const jobs_outcome one = stamp_with(folder, "1");
  for (const std::string jobs : {"2", "4", "16"}) {
    const jobs_outcome many = stamp_with(folder, jobs);
    EXPECT_EQ(many.result.out, one.result.out) << jobs;
    EXPECT_EQ(many.result.err, one.result.err) << jobs;
    EXPECT_EQ(many.result.status, one.result.status) << jobs;
    EXPECT_EQ(many.times, one.times) << jobs;
  }
  std::size_t said = 0;
  for (std::size_t at = 0;
       (at = one.result.err.find("keeps times in steps", at)) != std::string::npos; ++at) {
    ++said;
  }
  EXPECT_LE(said, 2u) << one.result.err;  // two folders
}

TEST(FileSystemsAsRoot, AnyNumberOfJobsSaysAndDoesWhatOneDoes) {
  scratch here;
  expect_same_for_any_jobs(here.at("photos"));
  NEEDS_ROOT_AND_LOOPS();
  scratch dir;
  const mounted_image fs(dir, "mkfs.ext4 -q -F -I 128", "mount -o loop IMAGE POINT", "umount",
                         "32M");
  if (!fs.ok) GTEST_SKIP() << "cannot make or mount ext4";
  expect_same_for_any_jobs(fs.point + "/photos");
}

}  // namespace

namespace {

// ext4 with 128-byte inodes keeps whole seconds: the times a run set are
// kept cut, and the undo takes them for what the run set.
TEST(FileSystemsAsRoot, UndoRecognisesTimesKeptInWholeSeconds) {
  NEEDS_ROOT_AND_LOOPS();
  scratch dir;
  const mounted_image fs(dir, "mkfs.ext4 -q -F -I 128", "mount -o loop IMAGE POINT", "umount",
                         "32M");
  if (!fs.ok) GTEST_SKIP() << "cannot make or mount ext4";
  make_phone_folder(fs.point + "/photos");
  const folder_state before = snapshot(fs.point + "/photos");
  const tool_result r =
      run_tool(fs.point + "/photos", {"--auto", "--recursive", "--journal", dir.at("J")});
  EXPECT_EQ(r.status, 1) << r.err;  // the 2050 name
  const tool_result undo = run_tool(dir.path, {"--undo", "J"});
  EXPECT_EQ(undo.status, 0) << undo.err;
  EXPECT_EQ(undo.err, "");
  EXPECT_EQ(snapshot(fs.point + "/photos"), before);
}

// A FUSE file system that keeps milliseconds: the run says once per folder
// that it rounds, and the undo takes each time it kept for the time the
// run set, so every file goes back to what it was.
TEST(FileSystemsAsRoot, UndoRecognisesTimesKeptInMilliseconds) {
  if (const char* missing = slow_mount::missing()) GTEST_SKIP() << missing;
  scratch dir;
  std::filesystem::create_directory(dir.at("backing"));
  for (const char* name : {"20220522_122802.881926-0400.m4a", "20220522_122803.5-0400.m4a",
                           "IMG_20100910_134012.jpg"}) {
    make_file(dir.at("backing/") + name);
    set_mtime(dir.at("backing/") + name, old_mtime - old_mtime % 1'000'000);  // as it keeps them
  }
  slow_mount mount(dir.at("backing"), dir.at("mnt"),
                   {"SLOWFS_MILLISECONDS=1", "SLOWFS_DELAY_US=0"});
  ASSERT_TRUE(mount.mounted());
  const folder_state before = snapshot(dir.at("backing"));
  const tool_result r = run_tool(mount.point, {"--auto", "--journal", dir.at("J")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(contains(r.err, "keeps times in steps")) << r.err;
  EXPECT_EQ(mtime_of(dir.at("backing/20220522_122802.881926-0400.m4a")),
            utc_ns(2022, 5, 22, 16, 28, 2) + 881'000'000);
  const tool_result undo = run_tool(dir.path, {"--undo", "J"});
  EXPECT_EQ(undo.status, 0) << undo.err;
  EXPECT_EQ(undo.err, "");
  EXPECT_EQ(snapshot(dir.at("backing")), before);
}

}  // namespace
