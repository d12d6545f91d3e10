#include "journal/journal_reading.hpp"

#include <algorithm>
#include <cerrno>

namespace {

constexpr std::int64_t piece = 1 << 16;

}  // namespace

bool next_line(forward_lines& lines, std::string& line, bool& ended, int& error) {
  line.clear();
  for (;;) {
    const std::size_t newline = lines.buffer.find('\n', lines.at);
    if (newline != std::string::npos) {
      line.append(lines.buffer, lines.at, newline - lines.at);
      lines.at = newline + 1;
      ended = true;
      return true;
    }
    line.append(lines.buffer, lines.at);
    lines.buffer.clear();
    lines.at = 0;
    const std::int64_t size = std::min(piece, lines.reader.size - lines.unread);
    if (size <= 0) {
      ended = false;
      return !line.empty();
    }
    error = lines.reader.system.read_at(lines.reader.descriptor, lines.unread,
                                        static_cast<std::size_t>(size), lines.buffer);
    if (error != 0 || lines.buffer.empty()) return false;
    lines.unread += static_cast<std::int64_t>(lines.buffer.size());
  }
}

backward_lines read_backwards(const journal_reader& reader) {
  return {reader, reader.size, {}, 0};
}

bool previous_line(backward_lines& lines, std::string& line, std::int64_t& offset) {
  // The file's last newline ends its last line; it starts no empty one.
  while (true) {
    const std::size_t end = lines.buffer.size() && lines.buffer.back() == '\n'
                                ? lines.buffer.size() - 1
                                : lines.buffer.size();
    const std::size_t newline = end == 0 ? std::string::npos : lines.buffer.rfind('\n', end - 1);
    if (newline != std::string::npos || lines.unread == 0) {
      if (lines.buffer.empty()) return false;
      const std::size_t start = newline == std::string::npos ? 0 : newline + 1;
      line.assign(lines.buffer, start, end - start);
      offset = lines.unread + static_cast<std::int64_t>(start);
      lines.buffer.resize(start);
      return true;
    }
    const std::int64_t size = std::min(piece, lines.unread);
    lines.unread -= size;
    std::string more;
    lines.error = lines.reader.system.read_at(lines.reader.descriptor, lines.unread,
                                              static_cast<std::size_t>(size), more);
    if (lines.error == 0 && more.size() != static_cast<std::size_t>(size)) lines.error = EIO;
    if (lines.error != 0) return false;
    lines.buffer.insert(0, more);
  }
}

int last_line(const journal_reader& reader, std::string& line, std::int64_t& offset) {
  backward_lines lines = read_backwards(reader);
  offset = reader.size;
  line.clear();
  if (!previous_line(lines, line, offset)) return lines.error;
  return 0;
}
