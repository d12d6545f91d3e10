// The long options that say where times come from besides the name: part
// of the one table.
#include "cli/options.hpp"

namespace {

using o = typed_options;

constexpr option_doc table[] = {
    {"--takeout", "", &o::takeout, nullptr,
     "take each time from the file's Google\nTakeout sidecar (.json) where it has\none, "
     "else from its name",
     "velmora --takeout --recursive",
     R"(Take each selected file's time from the JSON sidecar that Google Takeout
wrote beside it: \fBphotoTakenTime.timestamp\fR, the moment the photo was
taken, in whole seconds.
The sidecar is found by the names Takeout gives it: \fINAME\fB.json\fR and
\fINAME\fB.supplemental\-metadata.json\fR, cut to 46 characters before
\fB.json\fR (and the newer form uncut); after the stem alone; a
duplicate's number before \fB.json\fR; an edited copy (\fB\-edited\fR and
its forms in the languages Google writes) and a motion photo's video
take the original's; a video without its own takes its stills', which
must agree.
Names and titles are compared in Unicode's composed form.
A sidecar whose title names another file is not used; one whose taken
time is 0 gives no date, and the name is read.
The time is one instant: \fB\-\-local\fR and \fB\-\-tz\fR do not move it, an
hour shift does.
A file without a sidecar is read by its name as the other options say;
a sidecar that does not parse, or gives no taken time, leaves its file
alone, reported.
Files named \fB*.json\fR (the sidecars, and albums' \fBmetadata.json\fR)
are never stamped.
Example: \fBvelmora \-\-takeout \-\-recursive \-\-journal ~/undo.txt\fR.)"},
    {"--exif", "", &o::exif, nullptr,
     "take each time from inside the file\n(EXIF, XMP, a video's header) where\nit holds one, "
     "else from its name",
     "velmora --exif --local",
     R"(Take each selected file's time from when it was taken, as its own
metadata says, read with exiv2: for photos (JPEG, TIFF, HEIC/HEIF, AVIF,
PNG, WebP, camera raws) EXIF \fBDateTimeOriginal\fR, else
\fBCreateDate\fR (\fBDateTimeDigitized\fR), with their fraction and
offset, then the XMP in the file; never \fBModifyDate\fR, the time of the
last edit.
For videos (MP4, MOV, M4V, 3GP) the movie header's creation time, which
is UTC.
An XMP sidecar (\fINAME.EXT\fB.xmp\fR or \fINAME\fB.xmp\fR) comes first.
A time with an offset is one instant; one without is read in the zone the
command line names, as names are.
A date that says nothing (\fB0000:00:00\fR, blank, a day that does not
exist) is no date; a file with none is read by its name.
A file exiv2 cannot read is reported and left alone.
The data is read, never written.
Example: \fBvelmora \-\-exif \-\-local \-\-recursive\fR.)"},
    {"--video-local", "", &o::video_local, nullptr,
     "with --exif: a video's header time is\nlocal time, as some cameras write it",
     "velmora --exif --video-local --local",
     R"(With \fB\-\-exif\fR: read the creation time in a video's movie header as
a local time, in the zone the command line names, rather than as UTC,
which the format defines: some cameras write their local time there.
Example: \fBvelmora \-\-exif \-\-video\-local \-\-local mp4\fR.)"},
};

}  // namespace

std::span<const option_doc> source_options() {
  return table;
}
