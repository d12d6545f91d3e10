// The walk: a run's folders listed depth first, in listing order, and each
// entry selected or passed over; a selected file is placed and handed on.
#pragma once

#include "run/run_state.hpp"

// Walks an open folder to its end (and its subfolders with --recursive):
// one open listing per level, and a few folders walked already whose
// files are still being set, so memory grows with the depth of the tree
// and never with the number of files. A folder on the file system of the
// one that holds it (same_file_system) goes on with what was learnt of
// how it keeps times; another file system is probed afresh. first: the
// folder's first entries, where a lister read them as it opened it.
void walk(run_state& run, folder_handle* folder, bool same_file_system = false,
          std::vector<dir_entry> first = {});
