#include "cli/options.hpp"

#include <fstream>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

namespace {

// The README's lines from the one that starts with heading to the end of
// the table that follows it.
std::vector<std::string> readme_table(const std::string& heading) {
  std::ifstream file(std::string(VELMORA_SOURCE) + "/README.md");
  std::vector<std::string> rows;
  bool in = false;
  for (std::string line; std::getline(file, line);) {
    if (line.starts_with(heading)) in = true;
    if (!in) continue;
    if (line.starts_with("|")) {
      if (!line.starts_with("|-")) rows.push_back(line);
    } else if (!rows.empty()) {
      break;
    }
  }
  return rows;
}

std::string without_backticks(std::string text) {
  std::erase(text, '`');
  return text;
}

TEST(Options, TheReadmeListsEveryOptionAsTheTableDoes) {
#ifdef _WIN32
  GTEST_SKIP() << "the README is checked by the Linux build";
#endif
  std::set<std::string> listed;
  for (const std::string& row : readme_table("Long options")) {
    const std::string first = row.substr(2, row.find(" | ") - 2);
    for (std::size_t at = first.find('`'); at != std::string::npos;
         at = first.find('`', first.find('`', at + 1) + 1)) {
      const std::string name = first.substr(at + 1, first.find('`', at + 1) - at - 1);
      if (name.starts_with("-") && name.find('=') == std::string::npos) listed.insert(name);
    }
  }
  std::set<std::string> table = {"-h", "--help", "--version", "--"};
  for (const option_doc& option : long_options()) {
    std::string name(option.name);
    if (!option.value.empty()) name.append(" ").append(option.value);
    table.insert(name);
  }
  EXPECT_EQ(listed, table);

  const std::vector<std::string> exits = readme_table("| status |");
  ASSERT_EQ(exits.size(), 1 + exit_statuses().size());
  for (const exit_doc& e : exit_statuses()) {
    std::string row = "| ";
    row.append(std::to_string(e.status)).append(" | ").append(e.meaning).append(" |");
    EXPECT_EQ(without_backticks(exits[1 + static_cast<std::size_t>(e.status)]), row);
  }
}

TEST(Options, HelpAndManPageSayEveryOptionAndStatus) {
  const std::string help = help_text();
  const std::string man = man_sections();
  std::istringstream lines(help);
  for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 80u) << line;
  for (const option_doc& option : long_options()) {
    EXPECT_NE(help.find("      " + std::string(option.name)), std::string::npos) << option.name;
    std::string roff_name;
    for (const char c : option.name) roff_name.append(c == '-' ? "\\-" : std::string(1, c));
    EXPECT_NE(man.find(".B" + std::string(option.value.empty() ? " " : "I ") + roff_name),
              std::string::npos)
        << option.name;
  }
  EXPECT_NE(help.find("  2  the command line is wrong"), std::string::npos) << help;
  EXPECT_NE(man.find(".TP\n2\nThe command line is wrong"), std::string::npos) << man;
}

}  // namespace
