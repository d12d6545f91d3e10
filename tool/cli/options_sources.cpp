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
};

}  // namespace

std::span<const option_doc> source_options() {
  return table;
}
