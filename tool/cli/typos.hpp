// What a mistyped word was likely meant as: a long option written with
// the dash that autocorrect makes, or one misspelt.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// A word that begins with an en dash, an em dash or a minus sign (U+2013,
// U+2014, U+2212), which a shell passes on as a word of its own: the
// message of the usage error, naming what it looks like.
std::optional<std::string> dash_typo(std::string_view word);

// The long option nearest to a misspelt one (at most two edits, or one
// that it begins), or empty.
std::string nearest_option(std::string_view name);
