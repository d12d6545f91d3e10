// A console made for velmora alone, as a double-click from Explorer makes
// one, closes the moment the program ends, and what was said is lost:
// there velmora keeps it open until Enter is pressed. The console is
// reached through these calls, so that a test can stand in for it.
#pragma once

#include <functional>
#include <string>

struct console_calls {
  std::function<int()> processes;  // how many processes share this console; 0 for none
  std::function<void(const std::string& line)> say;
  std::function<void()> wait_for_enter;
};

// After a run (its summary, with the zone, said already): how to undo it
// (undo_command; empty where there is nothing to undo), then "Press Enter
// to close", and waits; nothing where the console is not velmora's alone.
void hold_console(const console_calls& console, const std::string& undo_command);
