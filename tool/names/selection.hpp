// Which entries a run stamps, and which part of a name holds the date.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What selects a run's entries and cuts their names: the words of the
// command line (long options left out), each also an extension to match,
// and the shift and cuts among them.
struct selection_rule {
  std::vector<std::string> words;
  bool shift_given = false;    // some word began with "+" or "-"
  std::int64_t front_cut = 0;  // characters cut off the front of a stem, >= 0
  std::int64_t back_cut = 0;   // characters cut off its back; negative cuts nothing
};

// Names a run never stamps: the folder itself, its parent, and the tool.
bool is_skipped_name(std::string_view name);

struct name_parts {
  std::string_view stem;       // everything before the last dot
  std::string_view extension;  // everything after it
};

// Splits a name at its last dot; nullopt when it has none.
std::optional<name_parts> split_name(std::string_view name);

// Whether an extension passes the filter: everything passes when the
// command line holds no words, or only an hour shift; otherwise the
// extension must equal one of the words, byte for byte.
bool extension_selected(const std::vector<std::string>& words, bool shift_given,
                        std::string_view extension);

// The same, saying which word selected it: its place among the words;
// words.size() when every extension passes; npos when none selects it.
std::size_t selecting_word(const std::vector<std::string>& words, bool shift_given,
                           std::string_view extension);

// The date text of a stem: front_cut characters off its front and back_cut
// off its back, counted as characters (characters.hpp). A back cut that is
// negative or leaves less than nothing cuts nothing. nullopt when the front
// cut runs past the end of the stem.
std::optional<std::string_view> cut_date_text(std::string_view stem, std::int64_t front_cut,
                                              std::int64_t back_cut);
