// Words that are paths, never extensions: a word that holds a folder
// separator, or is "." or "..". Such a run would stamp the wrong folder
// and then say that no file had the extension, so it is a usage error,
// found before anything is touched, that says how to run there instead.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/arguments.hpp"

// What a path names on the disk.
enum class path_kind { none, folder, file };
using path_looker = path_kind (*)(const std::string& path);

// The message of the usage error for the first word that is a path, or
// nullopt. separators: "/" on Linux, "/\" on Windows.
std::optional<std::string> path_word_error(const typed_options& typed, std::string_view separators,
                                           path_looker look);
