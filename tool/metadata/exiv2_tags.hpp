// Reads a file's metadata and finds its capture time there: a photo's
// with exiv2 (every exception it throws is caught: a file it cannot read
// is a fault, said in a phrase, never a crash), a video's from its movie
// header.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "metadata/capture_time.hpp"
#include "metadata/descriptor_io.hpp"
#include "metadata/movie_header.hpp"

struct metadata_answer {
  std::optional<capture_time> found;
  std::string fault;  // why the metadata could not be read; empty when it was
};

// Sets exiv2 up once for the whole run (its XMP toolkit, the readers of
// HEIF, AVIF and CR3, no messages of its own on standard error); safe to
// call from any thread.
void prepare_exiv2();

// The capture time in the metadata of the photo io reads. A file of no
// format exiv2 knows holds none; one whose metadata cannot be read (cut
// short, corrupt) is a fault.
metadata_answer read_photo_capture_time(std::unique_ptr<descriptor_io> io);

// The capture time in a video's movie header, read through read.
metadata_answer read_video_capture_time(const read_fn& read, std::int64_t size);

// The capture time an XMP sidecar's packet gives.
metadata_answer read_sidecar_capture_time(std::string_view packet);

// Whether a file of this extension ("mp4", any case) is a video whose
// movie header is read: MP4, MOV, M4V, 3GP.
bool is_quicktime_video(std::string_view extension);
