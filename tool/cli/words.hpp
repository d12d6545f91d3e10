// The words of the base grammar: an hour shift ("+N", "-N"), a front cut
// ("}N"), a back cut ("{N"), or an extension.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/arguments.hpp"

// Reads one word into the options; every word is also kept as an extension
// to match. The message of a usage error, or nullopt.
std::optional<std::string> read_word(std::string_view word, typed_options& options);

// Reads --shift's [+|-]H[:MM[:SS]] into the options' shift; it takes the
// place of an hour shift word, and cannot stand beside one.
std::optional<std::string> read_clock_shift(typed_options& options);
