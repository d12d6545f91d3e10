// What --help prints, and the man page's sections: both written from the
// one options table.
#pragma once

#include <string>

// What --help prints.
std::string help_text();

// The man page's OPTIONS and EXIT STATUS sections, in roff.
std::string man_sections();
