#include "app/closing.hpp"

#include <gtest/gtest.h>

namespace {

struct fake_console {
  int processes = 1;
  std::string said;
  int waits = 0;

  console_calls calls() {
    return {[this] { return processes; }, [this](const std::string& line) { said += line + "\n"; },
            [this] { ++waits; }};
  }
};

TEST(Closing, AConsoleOfItsOwnStaysOpenUntilEnter) {
  fake_console alone;
  hold_console(alone.calls(), "Velmora.exe --undo");
  EXPECT_EQ(alone.said,
            "to put back the times this run set, run Velmora.exe --undo from a command prompt "
            "(cmd) in this folder\nPress Enter to close\n");
  EXPECT_EQ(alone.waits, 1);
  fake_console dry;
  hold_console(dry.calls(), "");
  EXPECT_EQ(dry.said, "Press Enter to close\n");
  // A console shared with cmd, or none at all (Linux, a pipe): nothing.
  for (const int processes : {0, 2}) {
    fake_console shared;
    shared.processes = processes;
    hold_console(shared.calls(), "Velmora.exe --undo");
    EXPECT_EQ(shared.said, "");
    EXPECT_EQ(shared.waits, 0);
  }
}

}  // namespace
