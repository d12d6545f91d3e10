// The long options, in one table: the argument reader reads them by it,
// --help and the man page are written from it, and a test holds the
// README's table to it.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "cli/arguments.hpp"

inline constexpr std::string_view version_text = "velmora 1.0.0\n";

struct option_doc {
  std::string_view name;   // "--dry-run"
  std::string_view value;  // what it takes ("FILE"); empty for a flag
  // Where the reader puts it: a flag, or the text of its value.
  bool typed_options::*flag = nullptr;
  std::string typed_options::*text = nullptr;
  std::string_view summary;     // for --help: lines of at most 38 characters
  std::string_view example;     // for --help
  std::string_view details;     // for the man page, in roff
  bool with_undo = false;       // means something with --undo
  bool optional_value = false;  // the flag may stand alone, or take its value too
};

// Every long option but --help, --version and --, which stop the reading
// or end the options.
std::span<const option_doc> long_options();

// The part of them that says how names are read (options_reading.cpp),
// and where times come from besides names (options_sources.cpp).
std::span<const option_doc> reading_options();
std::span<const option_doc> source_options();

// The option of that name, or nullptr.
const option_doc* find_option(std::string_view name);

// What each exit status means, for --help, the man page and the README.
struct exit_doc {
  int status;
  std::string_view meaning;
};
std::span<const exit_doc> exit_statuses();
