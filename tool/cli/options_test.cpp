#include "cli/options.hpp"
#include "cli/help_text.hpp"

#include <sstream>

#include <gtest/gtest.h>

namespace {

TEST(Options, HelpAndManPageSayEveryOptionAndStatus) {
  const std::string help = help_text();
  const std::string man = man_sections();
  std::istringstream lines(help);
  for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 80u) << line;
  for (const option_doc& option : long_options()) {
    EXPECT_NE(help.find("      " + std::string(option.name)), std::string::npos) << option.name;
    std::string roff_name;
    for (const char c : option.name) roff_name.append(c == '-' ? "\\-" : std::string(1, c));
    const std::string form = option.value.empty() ? ".B " : option.optional_value ? ".BR " : ".BI ";
    EXPECT_NE(man.find(form + roff_name), std::string::npos) << option.name;
  }
  EXPECT_NE(help.find("  2  the command line is wrong"), std::string::npos) << help;
  EXPECT_NE(man.find(".TP\n2\nThe command line is wrong"), std::string::npos) << man;
}

}  // namespace
