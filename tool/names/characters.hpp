// Counting the characters of a name: a valid UTF-8 sequence is one
// character, and every byte that is not part of one counts as one too.
#pragma once

#include <cstddef>
#include <string_view>

// The length in bytes of the character at the front of text (0 when text
// is empty): a well-formed UTF-8 sequence, or else its first byte alone.
std::size_t character_length(std::string_view text);

// How many characters text holds.
std::size_t count_characters(std::string_view text);

// The byte offset of the character that stands count characters in; the
// size of text when it holds no more than count characters.
std::size_t character_offset(std::string_view text, std::size_t count);
