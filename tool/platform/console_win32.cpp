#include <windows.h>

#include <cerrno>

#include "listing/utf16_win32.hpp"
#include "platform/console.hpp"

namespace {

// Whether a standard stream is a console, asked once: it stays what it is.
bool is_console(std::FILE* stream) {
  static const bool out = is_terminal(stdout);
  static const bool err = is_terminal(stderr);
  return stream == stdout ? out : err;
}

}  // namespace

// On a console, names appear as Explorer shows them, whatever the
// console's code page; to a file, a pipe or NUL, the text is UTF-8, its
// lines ending in CR LF, written with one WriteFile (the C runtime writes
// a handle such as NUL, which is no console, a byte at a time).
bool write_stream(std::FILE* stream, std::string_view text) {
  const HANDLE handle = GetStdHandle(stream == stdout ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  if (is_console(stream)) {
    const std::wstring wide = widen(text);
    DWORD written = 0;
    return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) &&
           written == wide.size();
  }
  thread_local std::string lines;
  lines.clear();
  for (const char c : text) {
    if (c == '\n') lines.push_back('\r');
    lines.push_back(c);
  }
  for (std::size_t at = 0; at < lines.size();) {
    DWORD written = 0;
    if (!WriteFile(handle, lines.data() + at, static_cast<DWORD>(lines.size() - at), &written,
                   nullptr) ||
        written == 0) {
      const DWORD error = GetLastError();
      errno = error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL ? ENOSPC
              : error == ERROR_NO_DATA || error == ERROR_BROKEN_PIPE      ? EPIPE
                                                                          : EIO;
      return false;
    }
    at += written;
  }
  return true;
}

bool is_terminal(std::FILE* stream) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(stream == stdout ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE),
                        &mode) != 0;
}

int console_processes() {
  DWORD processes[2];
  return static_cast<int>(GetConsoleProcessList(processes, 2));
}

void wait_for_enter() {
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  DWORD mode = 0;
  if (GetConsoleMode(input, &mode)) FlushConsoleInputBuffer(input);  // keys pressed meanwhile
  for (int c = std::getchar(); c != EOF && c != '\n'; c = std::getchar()) {
  }
}
