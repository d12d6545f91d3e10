#include "app/closing.hpp"

void hold_console(const console_calls& console, const std::string& undo_command) {
  if (console.processes() != 1) return;
  if (!undo_command.empty()) {
    console.say("to put back the times this run set, run " + undo_command +
                " from a command prompt (cmd) in this folder");
  }
  console.say("Press Enter to close");
  console.wait_for_enter();
}
