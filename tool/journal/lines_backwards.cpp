#include "journal/lines_backwards.hpp"

#include <algorithm>

namespace {

constexpr std::int64_t piece = 1 << 16;

}  // namespace

backward_lines read_backwards(std::ifstream& file) {
  file.clear();  // a forward read may have left it at its end
  file.seekg(0, std::ios::end);
  const std::int64_t size = std::max<std::int64_t>(0, file.tellg());
  backward_lines lines{file, size, {}};
  return lines;
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
    std::string more(static_cast<std::size_t>(size), '\0');
    lines.file.clear();
    lines.file.seekg(lines.unread);
    if (!lines.file.read(more.data(), size)) {
      lines.failed = true;
      return false;
    }
    lines.buffer.insert(0, more);
  }
}
