#include <cerrno>

#include "system/memory_system.hpp"

using lock_guard = std::lock_guard<std::mutex>;

run_output output_of(memory_console& console) {
  run_output o;
  o.out = [&console](std::string_view lines) {
    const lock_guard hold(console.lock);
    if (console.out_fails_after == 0) return EPIPE;
    if (console.out_fails_after > 0) --console.out_fails_after;
    console.out.append(lines);
    return 0;
  };
  o.err = [&console](std::string_view line) {
    const lock_guard hold(console.lock);
    console.err.append(line);
  };
  o.progress = [](std::string_view) {};
  o.err_is_terminal = console.err_is_terminal;
  return o;
}
