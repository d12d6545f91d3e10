// When a video was made, as its movie says: Apple's creation date key (in
// 'moov/meta' or 'moov/udta/meta'), which carries the offset, and the
// movie header's time ('moov/mvhd'): what --exif reads from MP4, MOV, M4V
// and 3GP files. Read here, bounded, through the caller's reads: exiv2
// 0.27's QuickTime reader, deprecated there, writes past its buffers on
// crafted files, and a photo folder holds files from anywhere.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "metadata/boxes.hpp"

struct movie_header {
  std::optional<std::uint64_t> created;  // seconds since 1904-01-01 UTC; nullopt: no header
  // com.apple.quicktime.creationdate as written ("2021-03-04T10:15:22+0100")
  std::optional<std::string> creation_date;
  int error = 0;  // a read that failed
};

// Walks the boxes of a file of size bytes into moov, at most a few
// thousand of them, and reads the header's creation time (version 0: 32
// bits, version 1: 64) and Apple's key, each where it is found.
movie_header read_movie_header(const read_fn& read, std::int64_t size);
