// The man page's examples and the summary line it quotes, held to the
// tool as the README's tables are.
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "cli/arguments.hpp"
#include "cli/summary.hpp"

namespace {

// The page's lines as a reader sees them: roff's '\-' is a '-'.
std::vector<std::string> page_lines() {
  std::ifstream file(std::string(VELMORA_SOURCE) + "/doc/velmora.1.in");
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) {
    for (std::size_t at = line.find("\\-"); at != std::string::npos; at = line.find("\\-", at)) {
      line.erase(at, 1);
    }
    lines.push_back(line);
  }
  return lines;
}

TEST(ManPage, EveryExampleRunsAsItsCommentSays) {
#ifdef _WIN32
  GTEST_SKIP() << "the man page is checked by the Linux build";
#endif
  const std::vector<std::string> lines = page_lines();
  auto at = std::find(lines.begin(), lines.end(), ".SH EXAMPLES");
  ASSERT_NE(at, lines.end());
  std::size_t comment_column = 0;
  int examples = 0;
  for (at += 2; at != lines.end() && *at != ".fi"; ++at, ++examples) {
    const std::size_t hash = at->find("# ");
    ASSERT_NE(hash, std::string::npos) << *at;
    if (comment_column == 0) comment_column = hash;
    EXPECT_EQ(hash, comment_column) << "the comments stand in one column: " << *at;
    std::istringstream words(at->substr(0, hash));
    std::vector<std::string> typed;
    for (std::string word; words >> word;) typed.push_back(word);
    ASSERT_EQ(typed.at(0), "velmora");
    const std::vector<std::string_view> arguments(typed.begin() + 1, typed.end());
    const parsed_command parsed = read_arguments(arguments);
    EXPECT_EQ(parsed.what, command::run) << *at << ": " << parsed.error;
    // A shift of nothing is no example of anything.
    EXPECT_FALSE(parsed.options.shift_given && parsed.options.shift == ticks{0}) << *at;
  }
  EXPECT_GE(examples, 4);
}

TEST(ManPage, TheSummaryLineIsQuotedAsTheToolPrintsIt) {
#ifdef _WIN32
  GTEST_SKIP() << "the man page is checked by the Linux build";
#endif
  const std::vector<std::string> lines = page_lines();
  const auto quoted = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
    return line.starts_with("velmora: ") && line.find("stamped") != std::string::npos;
  });
  ASSERT_NE(quoted, lines.end());
  EXPECT_EQ(*quoted, "velmora: " + run_summary({120, 2, 1, 1, false}, std::nullopt, run_end::walked,
                                               "", "names read as UTC"));
}

}  // namespace
