// What each platform sets up before the run.
#pragma once

#include <string>
#include <vector>

// Called first in main.
void prepare_process();

// How many descriptors the process may hold at once (its soft limit);
// a large number where there is no such limit (Windows).
int descriptor_room();

// From now on, a first Ctrl-C, SIGTERM or closed terminal asks the run to
// stop (interrupted says so), and a second ends the process at once.
void watch_interrupts();
bool interrupted();

// The words of the command line after the program's name, as typed: bytes
// on Linux, UTF-8 on Windows.
std::vector<std::string> command_words(int argc, char** argv);
