// Looking at a listed entry as it is now, without following it, and at
// what a link leads to: what the run needs to tell a file swapped since it
// was listed, and whose link it may follow.
#pragma once

#include "system/system.hpp"

// 0 or the platform's error code; facts as file_facts says.
int look_at_entry(const file_ref& file, file_facts& facts);

// The user the run runs as (Windows: 0).
unsigned runner_id();
