// Names in every script, and folders deeper than Windows' old 260
// characters: listed, stamped and printed as they are, on both platforms.

#include <filesystem>

#include <gtest/gtest.h>

#include "tool_runner.hpp"

namespace {

const long long photo_time = utc_ns(2010, 9, 10, 13, 40);

TEST(Names, EveryScriptIsStampedAndPrintedAsItIs) {
  scratch dir;
  const std::vector<std::string> names = {
      "2010-09-10 13.40 東京.jpg",
      "2010-09-10 13.40 Zoë.jpg",
      "2010-09-10 13.40 plain.jpg",
      "2010-09-10 13.40 Ελλάδα.jpg",
      "2010-09-10 13.40 \xF0\x9F\x93\xB7.jpg",  // an emoji, outside 16 bits
      "2010-09-10 13.40 e\xCC\x81.jpg"};        // e and a combining acute accent
  std::vector<std::string> announced;
  for (const std::string& name : names) {
    make_file(dir.at(name));
    announced.push_back("Setting timestamp:\t./" + name);
  }
  std::sort(announced.begin(), announced.end());
  const tool_result r = run_tool(dir.path, {"jpg"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(sorted_lines(r.out), announced);  // read back as UTF-8
  for (const std::string& name : names) EXPECT_EQ(mtime_of(dir.at(name)), photo_time) << name;
  // An extension in another script is matched as typed.
  make_file(dir.at("2010-09-10 13.40 scan.фото"));
  const tool_result cyrillic = run_tool(dir.path, {"фото"});
  EXPECT_EQ(cyrillic.out, lines({"Setting timestamp:\t./2010-09-10 13.40 scan.фото"}));
  EXPECT_EQ(mtime_of(dir.at("2010-09-10 13.40 scan.фото")), photo_time);
  // Cuts count characters in any script.
  make_file(dir.at("東京_2010-09-10 13.40.png"));
  EXPECT_EQ(run_tool(dir.path, {"}3", "png"}).status, 0);
  EXPECT_EQ(mtime_of(dir.at("東京_2010-09-10 13.40.png")), photo_time);
}

TEST(Names, FoldersDeeperThan260CharactersAreWalked) {
  scratch dir;
  std::string relative = ".";
  for (int level = 0; level < 6; ++level) {
    relative += "/" + std::string(60, static_cast<char>('a' + level));
  }
  std::filesystem::create_directories(dir.at(relative));
  const std::string name = relative + "/2010-09-10 13.40 deep.jpg";
  make_file(dir.at(name));
  ASSERT_GT(dir.at(name).size(), 400u);
  const tool_result r = run_tool(dir.path, {"--recursive", "jpg"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, lines({"Setting timestamp:\t" + name}));
  EXPECT_EQ(mtime_of(dir.at(name)), photo_time);
}

TEST(Names, CreatedIsForWindows) {
  scratch dir;
  make_file(dir.at("2010-09-10 13.40.jpg"));
  const tool_result r = run_tool(dir.path, {"--created"});
  if (testing_windows_build()) {
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(mtime_of(dir.at("2010-09-10 13.40.jpg")), photo_time);
  } else {
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.starts_with("velmora: --created: ")) << r.err;  // nothing said before it
    EXPECT_TRUE(contains(r.err, "Try 'velmora --help'")) << r.err;
    EXPECT_EQ(mtime_of(dir.at("2010-09-10 13.40.jpg")), old_mtime);
  }
}

}  // namespace
