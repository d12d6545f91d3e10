// The time inside the file as a time source (--exif): an XMP sidecar's,
// which a person wrote on purpose, else the file's own metadata, read
// with exiv2 through the system's calls (metadata room).
#pragma once

#include "sources/chain.hpp"

extern const time_source exif_source;
