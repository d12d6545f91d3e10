// Reads a file's metadata with exiv2 and finds its capture time there.
// Every exception exiv2 throws is caught: a file it cannot read is a
// fault, said in a phrase, never a crash.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "metadata/capture_time.hpp"
#include "metadata/descriptor_io.hpp"

struct metadata_answer {
  std::optional<capture_time> found;
  std::string fault;  // why the metadata could not be read; empty when it was
};

// Sets exiv2 up once for the whole run (its XMP toolkit, the readers of
// HEIF, AVIF and CR3, no messages of its own on standard error); safe to
// call from any thread.
void prepare_exiv2();

// The capture time in the metadata of the file io reads: a video's (by
// the movie header) or a photo's. A file of no format exiv2 knows holds
// none; one whose metadata cannot be read (cut short, corrupt) is a fault.
metadata_answer read_file_capture_time(std::unique_ptr<descriptor_io> io, bool video);

// The capture time an XMP sidecar's packet gives.
metadata_answer read_sidecar_capture_time(std::string_view packet);

// Whether a file of this extension ("mp4", any case) is a video that
// exiv2 reads as QuickTime: MP4, MOV, M4V, 3GP.
bool is_quicktime_video(std::string_view extension);
