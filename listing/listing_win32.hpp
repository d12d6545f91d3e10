// What the Windows listing shares with its tests.
#pragma once

#include "listing/listing.hpp"

// The errno that says what a Windows error code says (EIO where none does).
int errno_from_windows(unsigned long error);
