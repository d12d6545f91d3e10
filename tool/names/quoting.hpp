// How the tool shows a name to a person: quoted for a message, or as it
// is on a result line. The one escaper for bytes that cannot be shown.
#pragma once

#include <string>
#include <string_view>

// Appends the C-style escape of one byte: '\t', '\n', '\r', '\\', or
// '\xHH' for any other.
void append_escape(std::string& out, unsigned char byte);

// Whether a byte is a control character (below 0x20, or 0x7f).
bool is_control(unsigned char byte);

// A name or word quoted as a POSIX shell reads it, the way coreutils
// quotes file names in its messages: 'name', a quote as '\'', and control
// characters and bytes that are not UTF-8 in $'...' ('a'$'\n''b'). Every
// message names a file unambiguously and stays one line.
std::string in_quotes(std::string_view text);

// A path for a result line: as it is, unless it holds a control character
// that would split the line or its tab-separated fields; then quoted as
// in_quotes does. A path as it is starts with "./" or "/", a quoted one
// with "'".
std::string_view shown_path(std::string_view path, std::string& quoted);

// A path that ends its line ("Setting timestamp:", a tab, the path): as
// shown_path shows it, but with a tab as it is, since everything after the
// first tab is the path. Newlines, carriage returns and other control
// bytes, which split the line or drive a terminal, still quote it.
std::string_view shown_last_path(std::string_view path, std::string& quoted);
