// The README promises what the tool does: its tables are read here and
// held to the tool.
#include <fstream>
#include <set>

#include <gtest/gtest.h>

#include "cli/options.hpp"
#include "decide/decision.hpp"
#include "names/selection.hpp"

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

TEST(Readme, ListsEveryOptionAsTheTableDoes) {
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
  std::size_t at = 1;
  for (const exit_doc& e : exit_statuses()) {
    std::string row = "| ";
    row.append(std::to_string(e.status)).append(" | ").append(e.meaning).append(" |");
    EXPECT_EQ(without_backticks(exits[at++]), row);
  }
}

// The cells of a table row, without their backticks.
std::vector<std::string> cells(const std::string& row) {
  std::vector<std::string> out;
  for (std::size_t at = 1; at < row.size();) {
    const std::size_t end = row.find(" |", at);
    if (end == std::string::npos) break;
    std::string cell = without_backticks(row.substr(at + 1, end - at - 1));
    out.push_back(cell);
    at = end + 2;
  }
  return out;
}

TEST(Readme, EveryShapeReadsAsTheTableSays) {
#ifdef _WIN32
  GTEST_SKIP() << "the README is checked by the Linux build";
#endif
  const std::vector<std::string> rows = readme_table("| shape | example | read as | zone |");
  ASSERT_GT(rows.size(), 20u);
  time_rule rule;
  rule.auto_date = true;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const std::vector<std::string> row = cells(rows[i]);
    ASSERT_EQ(row.size(), 4u) << rows[i];
    const std::string& example = row[1];
    const std::string stem(split_name(example)->stem);
    const stamp_decision d = decide_time(stem, rule, [](std::chrono::seconds) {
      return std::optional<std::chrono::seconds>(std::chrono::hours{2});
    });
    if (row[2].starts_with("left alone")) {
      EXPECT_FALSE(d.time) << example;
      if (row[2].ends_with("with --date-only")) {
        time_rule date_only = rule;
        date_only.date_only = true;
        EXPECT_TRUE(decide_time(stem, date_only, nullptr).time) << example;
      }
      continue;
    }
    ASSERT_TRUE(d.time) << example << ": " << d.why;
    std::string read_as = row[2].substr(0, row[2].find(" ("));
    if (!read_as.ends_with(" UTC")) read_as += " UTC";
    EXPECT_EQ(format_utc(*d.time), read_as) << example;
    const zone_basis basis = row[3] == "local" ? zone_basis::utc_by_default
                             : row[3] == "UTC" ? zone_basis::utc_shape
                                               : zone_basis::instant;
    EXPECT_EQ(d.basis, basis) << example;
  }
}

}  // namespace
