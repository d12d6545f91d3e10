// Google Takeout's JSON sidecar as a time source: found beside the file by
// the names Takeout gives it, read through the system, and read by the
// takeout room's pure readers.
#pragma once

#include "sources/chain.hpp"

extern const time_source sidecar_source;
