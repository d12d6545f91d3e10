// Writes the man page: its template, with the options and exit statuses
// from the table that --help is written from.
#include <fstream>
#include <iostream>
#include <sstream>

#include "cli/help_text.hpp"
#include "cli/options.hpp"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: velmora_man TEMPLATE OUTPUT\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  std::stringstream text;
  text << in.rdbuf();
  std::string page = text.str();
  const std::string mark = "@SECTIONS@\n";
  const std::size_t at = page.find(mark);
  if (!in || at == std::string::npos) {
    std::cerr << "velmora_man: " << argv[1] << " has no " << mark;
    return 1;
  }
  page.replace(at, mark.size(), man_sections());
  std::ofstream out(argv[2]);
  out << page;
  return out.flush() ? 0 : 1;
}
