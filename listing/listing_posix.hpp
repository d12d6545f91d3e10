// What the POSIX platform files share about an open listing.
#pragma once

#include "listing/listing.hpp"

// The descriptor of the listed directory, for *at() calls on its entries.
int listing_fd(const dir_listing* listing);
