// Reading a file's lines from its last to its first, a piece at a time, so
// that memory does not grow with the file.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

struct backward_lines {
  std::ifstream& file;
  std::int64_t unread;  // bytes before what has been read
  std::string buffer;   // read but not yet handed out; starts at offset unread
  bool failed = false;  // a read failed: previous_line returned false before the start
};

backward_lines read_backwards(std::ifstream& file);

// The previous line (without its newline) and the offset it starts at;
// false at the start of the file.
bool previous_line(backward_lines& lines, std::string& line, std::int64_t& offset);
