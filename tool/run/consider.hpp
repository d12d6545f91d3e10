// What the walk does with each entry it lists: a file is selected, or
// passed over with what it tells of the user's meaning; a folder may be
// where the user meant to run.
#pragma once

#include <string_view>

#include "run/run_state.hpp"

// Selects an entry by its extension, and places and hands on a selected
// file; passed over, it may still say what the user meant (clues).
void consider(run_state& run, const folder_handle* folder, const dir_entry& entry,
              std::string_view name);

// A folder named like a word may be where the user meant to run.
void note_folder(run_state& run, std::string_view name);

// Where a Takeout export keeps its photos: in the subfolders of its top
// folders, Takeout/ and Google Photos/.
void note_export_folder(run_state& run, std::string_view name);

// Whether the folder being walked holds a file its sources own (a Takeout
// sidecar, an XMP file): a look over its names first, holding none of
// them. Where it cannot be looked over, it may hold some.
bool holds_owned(run_state& run);
