// The README's table of the ways Takeout names a sidecar, held to the
// names velmora looks for.
#include <fstream>

#include <gtest/gtest.h>

#include "takeout/edit_marks.hpp"
#include "takeout/normal_form.hpp"
#include "takeout/sidecar_names.hpp"
#include "takeout/sidecar_titles.hpp"

namespace {

std::string readme() {
  std::ifstream file(std::string(VELMORA_SOURCE) + "/README.md");
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The text between the first two backticks of text from at on.
std::string quoted_at(const std::string& text, std::size_t at = 0) {
  const std::size_t open = text.find('`', at);
  if (open == std::string::npos) return {};
  return text.substr(open + 1, text.find('`', open + 1) - open - 1);
}

TEST(ReadmeQuirks, EveryRowsSidecarIsLookedForAndItsTitleTaken) {
#ifdef _WIN32
  GTEST_SKIP() << "the README is checked by the Linux build";
#endif
  const std::string text = readme();
  std::size_t at = text.find("| Takeout wrote | file | its sidecar |");
  ASSERT_NE(at, std::string::npos);
  int rows = 0;
  std::vector<sidecar_candidate> candidates;
  for (at = text.find("\n|", at + 1); at != std::string::npos; at = text.find("\n|", at + 1)) {
    const std::string row = text.substr(at + 1, text.find('\n', at + 1) - at - 1);
    if (row.starts_with("|---")) continue;
    const std::size_t third = row.find(" | ", row.find(" | ") + 1);
    const std::string file = quoted_at(row, row.find(" | "));
    const std::string sidecar = quoted_at(row, third);
    if (file == "metadata.json") break;
    ++rows;
    const std::size_t count = sidecar_candidates(composed(file), candidates);
    const auto found =
        std::find_if(candidates.begin(), candidates.begin() + count,
                     [&](const sidecar_candidate& c) { return c.name == composed(sidecar); });
    ASSERT_NE(found, candidates.begin() + count) << file << " does not look for " << sidecar;
    const std::size_t titled = row.find("titled ");
    const std::string title = titled == std::string::npos ? found->title : quoted_at(row, titled);
    EXPECT_TRUE(title_names(title, *found)) << file << ": " << title;
  }
  EXPECT_GE(rows, 19);
  // Each edit mark is in the README's list.
  for (const std::string_view mark : all_edit_marks()) {
    std::string listed("`");
    listed.append(mark).append("`");
    EXPECT_NE(text.find(listed), std::string::npos) << mark;
  }
}

}  // namespace
