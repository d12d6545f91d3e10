// The walk: a run's folders listed depth first, in listing order, and each
// entry selected or passed over; a selected file is placed and handed on.
#pragma once

#include "run/run_state.hpp"

// Walks an open folder to its end (and its subfolders with --recursive):
// one open listing per level, so memory grows with the depth of the tree
// and never with the number of files.
void walk(run_state& run, folder_handle* folder);
