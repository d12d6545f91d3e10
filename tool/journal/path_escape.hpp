// Paths in the journal, one line each: '\' as '\\', tab, newline and
// carriage return as '\t', '\n', '\r', and any other control byte, and
// every byte that is not part of valid UTF-8, as '\xHH'. Valid UTF-8 stays
// as it is, to be read.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Whether a path needs no escape at all: printable ASCII, and no '\'.
bool is_plain(std::string_view path);

std::string escape_path(std::string_view path);
std::optional<std::string> unescape_path(std::string_view text);
