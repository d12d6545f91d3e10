// Start-up of the Windows build: the runtime hands main the arguments as
// typed. Without this, MinGW's runtime would expand "*" and "?" itself.
#include "tool/startup.hpp"

extern "C" {
int _dowildcard = 0;
}

void start_up() {}
