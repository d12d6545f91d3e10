#include <windows.h>

#include "listing/utf16_win32.hpp"
#include "platform/console.hpp"

// On a console, names appear as Explorer shows them, whatever the
// console's code page; to a file or a pipe, the text is UTF-8, its lines
// ending in CR LF.
bool write_stream(std::FILE* stream, std::string_view text) {
  const HANDLE handle = GetStdHandle(stream == stdout ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) {
    const std::wstring wide = widen(text);
    DWORD written = 0;
    return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) &&
           written == wide.size();
  }
  return std::fwrite(text.data(), 1, text.size(), stream) == text.size() &&
         std::fflush(stream) == 0;
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
