// The commands the advice suggests: velmora with the words that take
// effect.
#pragma once

#include <string>
#include <vector>

#include "names/selection.hpp"

// "velmora" and the words, quoted as a shell reads them.
std::string command_line(const std::vector<std::string>& words);

// The words that are no extensions (shifts and cuts) and take effect: the
// last of each kind, for a later one replaces an earlier. Any command we
// suggest keeps them, and only them.
std::vector<std::string> kept_words(const selection_rule& selection);
