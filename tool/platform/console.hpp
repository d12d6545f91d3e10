// What the tool says: result lines on standard output, one message per
// failure on standard error.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "names/quoting.hpp"

// Writes text to a stream as the platform shows it, and flushes it; false
// when the stream cannot take it.
bool write_stream(std::FILE* stream, std::string_view text);

// Writes text (which ends in a newline) to standard output and flushes it;
// false when the output cannot take it.
bool print_out(std::string_view text);

// Writes text as it is to standard error.
void print_err(std::string_view text);

// Writes "velmora: " and the message, with a newline, to standard error.
void report(std::string_view message);

// Draws a line of progress on standard error in place of the last one,
// or takes it away (empty text). A message reported meanwhile takes it
// away first, so that every message stands on a line of its own.
void show_progress(std::string_view text);

// Takes the progress line away, if one is drawn.
void clear_progress();

// Whether a stream goes to a terminal (a console on Windows).
bool is_terminal(std::FILE* stream);

// How many processes share this process's console: 1 where it was made for
// this one alone (a double-click from Explorer); 0 where there is none
// (always on Linux).
int console_processes();

// Waits until a line is typed on standard input, or it ends.
void wait_for_enter();
