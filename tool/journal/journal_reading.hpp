// Reading a journal's lines through the system's calls, a piece at a time,
// forward (to check it) or backward (to undo it, newest first), so that
// memory does not grow with the journal. Functions return 0 or errno.
#pragma once

#include <cstdint>
#include <string>

#include "system/system.hpp"

struct journal_reader {
  const system_calls& system;
  int descriptor;
  std::int64_t size;  // the part read: the journal as it was checked
};

struct forward_lines {
  const journal_reader& reader;
  std::int64_t unread = 0;  // offset of the first byte not yet in buffer
  std::string buffer;
  std::size_t at = 0;  // the next line starts here in buffer
};

// The next line, without its line end, and whether it had one; false at
// the end (or on an error, then in error).
bool next_line(forward_lines& lines, std::string& line, bool& ended, int& error);

struct backward_lines {
  const journal_reader& reader;
  std::int64_t unread;  // bytes before what has been read
  std::string buffer;   // read but not yet handed out; starts at offset unread
  int error = 0;        // a read failed: previous_line returned false before the start
};

backward_lines read_backwards(const journal_reader& reader);

// The previous line (without its line end) and the offset it starts at;
// false at the start of the file.
bool previous_line(backward_lines& lines, std::string& line, std::int64_t& offset);

// The last line, of any length, and where it starts; a last line that
// ends in a line end ends at the reader's size.
int last_line(const journal_reader& reader, std::string& line, std::int64_t& offset);
