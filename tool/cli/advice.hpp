// What to tell a user whose run selected nothing, or left files alone:
// the words are read back to them, with the command they may have meant.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "names/selection.hpp"

// What a run noticed on its way that may explain an empty selection.
struct selection_clues {
  std::string other_case;     // an extension that equals a word but for case
  std::string folder_word;    // a word that names a folder the run listed
  std::vector<char> matched;  // by word: some file had it as its extension
};

// The extension of the first name of a listing that is no word of the
// command line only by case ("JPG" for the word "jpg"); empty when none is.
std::string_view extension_in_other_case(const selection_rule& selection,
                                         std::string_view extension);

// Whether a word is one of the command line's extensions rather than an
// hour shift or a cut.
bool is_extension_word(std::string_view word);

// The line to print when nothing in folder (and below it, when the run
// was recursive) was selected.
std::string nothing_selected(const selection_rule& selection, bool recursive,
                             std::string_view folder, const selection_clues& clues);

// The line that names the extension words that selected nothing while
// others did (a typo such as 'jgp'), or empty.
std::string unmatched_words(const selection_rule& selection, const selection_clues& clues);
