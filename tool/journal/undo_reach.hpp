// Reaching a journal's files the way their run did: from the run's folder,
// one folder at a time, never through a link, so that a folder swapped for
// a link since is never followed out, and a path longer than the system
// takes at once is still reached. The folder reached last is kept open for
// the next record, which is most often in the same one.
#pragma once

#include <string>
#include <string_view>

#include "system/system.hpp"

struct undo_reach {
  const system_calls& system;
  std::string at;  // the full path of the folder held open; empty for none
  folder_handle* folder = nullptr;
};

// Holds open the folder that holds the record's file: root, the run's
// folder, and the folders of path ("./a/b/c.jpg": a, then b). 0 or the
// system's error code.
int reach_folder(undo_reach& reach, const std::string& root, std::string_view path);

void let_go(undo_reach& reach);
