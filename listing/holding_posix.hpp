// How many descriptors the listings of a walk hold. A walk down a tree
// holds one listing per level, so that with the common limit of 1,024
// descriptors it could not go deeper than about a thousand levels. Along
// one chain of listings, at most open_depth below its top stay open: a
// deeper one parks the shallowest, which gives back its descriptor and
// keeps its place, its parent and its name, and is opened again from its
// parent, checked to be the same folder, when it is listed on. A tree of
// usual depth never parks.
#pragma once

#include "listing/listing_posix.hpp"

inline constexpr int open_depth = listing_open_depth;

// Opens a parked listing again where it was, its parents first, keeping
// the bound; false with errno set when it cannot be, or when another
// folder stands where it was (ESTALE). True at once for an open one.
bool unpark(dir_listing& listing);

// Parks the listings of listing's chain above its deepest open_depth; the
// chain's top stays open.
void bound(dir_listing& listing);

// Frees a listing that was closed, and the parents closed before it that
// waited for their last child.
void release(dir_listing* listing);
