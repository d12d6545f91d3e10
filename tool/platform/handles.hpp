// The listing layer's record of an open folder is what the platform hands
// the run as its folder_handle: the one place the two are converted.
#pragma once

#include "listing/listing.hpp"
#include "system/system.hpp"

inline dir_listing* listing_of(folder_handle* folder) {
  return reinterpret_cast<dir_listing*>(folder);
}
inline const dir_listing* listing_of(const folder_handle* folder) {
  return reinterpret_cast<const dir_listing*>(folder);
}
inline folder_handle* handle_of(dir_listing* listing) {
  return reinterpret_cast<folder_handle*>(listing);
}
