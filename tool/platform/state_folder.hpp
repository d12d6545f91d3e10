// Where velmora keeps what it keeps between runs: the default journal.
#pragma once

#include <optional>
#include <string>

// The default journal's path, its folder made if need be (only the user
// may enter it): $XDG_STATE_HOME/velmora/journal, by default
// ~/.local/state/velmora/journal; %LOCALAPPDATA%\velmora\journal on
// Windows. Or nullopt, and why in problem.
std::optional<std::string> default_journal(std::string& problem);
