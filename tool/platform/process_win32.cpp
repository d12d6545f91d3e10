// Start-up of the Windows build: the runtime hands main the arguments as
// typed. Without this, MinGW's runtime would expand "*" and "?" itself.
#include <windows.h>

#include "listing/utf16_win32.hpp"
#include "platform/process.hpp"

extern "C" {
int _dowildcard = 0;

// msvcrt's wide arguments, split as main's are, and as typed.
struct velmora_startup_info {
  int new_mode;
};
int __wgetmainargs(int* argc, wchar_t*** argv, wchar_t*** environment, int expand,
                   velmora_startup_info* info);
}

void prepare_process() {}

int descriptor_room() {
  return 1 << 20;  // handles are limited only by memory
}

namespace {

volatile LONG asked_to_stop = 0;

// A first Ctrl-C or Ctrl-Break, or the console closing, asks the run to
// stop; a second is left to Windows, which ends the process.
BOOL WINAPI on_interrupt(DWORD) {
  return InterlockedExchange(&asked_to_stop, 1) == 0 ? TRUE : FALSE;
}

}  // namespace

void watch_interrupts() {
  SetConsoleCtrlHandler(on_interrupt, TRUE);
}

bool interrupted() {
  return asked_to_stop != 0;
}

// In any script: the wide command line, as UTF-8.
std::vector<std::string> command_words(int, char**) {
  int count = 0;
  wchar_t** words = nullptr;
  wchar_t** environment = nullptr;
  velmora_startup_info info{0};
  std::vector<std::string> out;
  if (__wgetmainargs(&count, &words, &environment, 0, &info) != 0) return out;
  for (int i = 1; i < count; ++i) out.push_back(narrow(words[i]));
  return out;
}
