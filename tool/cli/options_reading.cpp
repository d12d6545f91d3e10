// The long options that say how names are read: part of the one table.
#include "cli/options.hpp"

namespace {

using o = typed_options;

constexpr option_doc table[] = {
    {"--local", "", &o::local, nullptr,
     "read names as local time (TZ); Pixel\nnames and offsets stay UTC", "velmora --local",
     R"(Read the names of the shapes that write local time as local time in the
zone of \fBTZ\fR, or of the system; Pixel's \fBPXL_\fR names are UTC, and a
name with an offset from UTC names one instant, whatever is given.
A \fBTZ\fR that names no zone on the machine (such as a misspelt
\fBEurope/Berln\fR) is an error, never a silent run in UTC.
A time that a change of summer time skips is read as the clock would show
it had it not been changed (02:30 in a gap of one hour is 03:30 summer
time); a time that occurs twice is the earlier of the two.
Example: \fBTZ=Europe/Berlin velmora \-\-local\fR.)"},
    {"--utc", "", &o::utc, nullptr, "read names as UTC (the default), and\nsay no more of it",
     "velmora --utc",
     R"(Read names as UTC, as they are read by default, and say so: on a
computer whose zone is not UTC, a run that reads local-time names as UTC
says once on standard error how to read them otherwise; \fB\-\-utc\fR
states that UTC is meant, and the note is not printed.)"},
    {"--tz", "ZONE", nullptr, &o::tz,
     "read local-time names in ZONE: a\nzone's name or an offset like +05:30",
     "velmora --auto --tz Europe/Berlin",
     R"(Read the names of the shapes that write local time as local time in
\fIZONE\fR rather than in UTC or the system's zone: a name of the zone
database (\fBEurope/Berlin\fR, from /usr/share/zoneinfo or \fBTZDIR\fR),
or a fixed offset from UTC (\fB+05:30\fR, \fB\-0400\fR, \fB+2\fR,
\fBUTC+02:00\fR as Windows labels its zones, \fBGMT+2\fR), always ahead
of UTC for \fB+\fR. The zone database's \fBEtc/GMT+2\fR, which counts
the other way, is refused with the offset it means.
A photo folder from a trip is in the trip's zone, not the computer's.
On Windows, which has no zone database, only a fixed offset is taken.
A zone that is not on the machine is an error.
Example: \fBvelmora \-\-auto \-\-tz Asia/Tokyo jpg\fR.)"},
    {"--shift", "H[:MM[:SS]]", nullptr, &o::shift_text,
     "shift every time by hours, minutes\nand seconds; instead of +N, -N",
     "velmora --shift -0:03:20 jpg",
     R"(Shift every time by \fIH\fR hours, \fIMM\fR minutes and \fISS\fR
seconds (two digits each, below 60), back with a \fB\-\fR before
\fIH\fR (a \fB+\fR may stand there too): for a camera
whose clock was off by minutes.
It takes the place of the hour shift words \fB+\fIN\fR and \fB\-\fIN\fR; giving
both is an error. Like them, it applies to every time, sidecars' too.
Example: \fBvelmora \-\-shift \-0:03:20 jpg\fR sets a photo named 13.40 to
13:36:40.)"},
    {"--seconds", "", &o::seconds, nullptr, "read '.SS' after the minute", "velmora --seconds",
     R"(Read an optional \fB.\fISS\fR (00 to 59) right after the minute.
Example: \fBvelmora \-\-seconds\fR reads \fB2010\-09\-10 13.40.17.jpg\fR as 13:40:17.)"},
    {"--auto", "", &o::auto_date, nullptr,
     "find the date and time anywhere in\nthe name, in the shapes phones and\ncameras write",
     "velmora --auto jpg mp4",
     R"(Find the date and time wherever they stand in the name, in the shapes
that phones, cameras and apps write: a date of year, month and day run
together (\fB20100910\fR) or joined by the same one of \fB\-\fR, \fB_\fR
or \fB.\fR; then nothing, \fB" "\fR, \fB_\fR, \fB\-\fR, \fBT\fR or
\fB" at "\fR; then hour and minute, with optional seconds, run together or
joined by one of \fB.\-_:\fR; an optional fraction of a second, \fBAM\fR
or \fBPM\fR, and an offset from UTC (\fBZ\fR, \fB+0400\fR, \fB\-04:00\fR),
which makes the name one instant that \fB\-\-local\fR does not move.
No digit may stand right before or after a date-time; the first counts.
A name with a date and no time is left alone and reported.
Implies \fB\-\-seconds\fR.
Example: \fBvelmora \-\-auto jpg mp4\fR reads \fBIMG_20100910_134012.jpg\fR
and \fBPXL_20230101_123456789.jpg\fR (12:34:56.789).)"},
    {"--format", "PATTERN", nullptr, &o::format,
     "read names by a pattern:\n%Y %y %m %d %H %M %S %I %p %f %z %%,\nand * for any text",
     "velmora --format '%d.%m.%Y %H-%M'",
     R"(Read names by a pattern matched from the start of the name (after the
cuts), with \fB%Y\fR (4 digits), \fB%y\fR (2 digits, 1969 to 2068),
\fB%m\fR, \fB%d\fR, \fB%H\fR, \fB%M\fR, \fB%S\fR (2 digits each, or
1 where no digit follows it),
\fB%I\fR with \fB%p\fR (12-hour clock), \fB%f\fR (1 to 9 digits of a
fraction), \fB%z\fR (an offset from UTC), \fB%%\fR, and \fB*\fR for any
run of text, as short as possible; every other character stands for
itself, and what follows the match is ignored.
A pattern without year, month, day, hour and minute (hour and minute may
be left out with \fB\-\-date\-only\fR), or a malformed one, is an error.
Excludes \fB\-\-auto\fR.
Example: \fBvelmora \-\-format '%d.%m.%Y %H\-%M' jpg\fR reads
\fB10.09.2010 13\-40.jpg\fR.)"},
    {"--date-only", "", &o::date_only, nullptr, "stamp a date with no time at 00:00",
     "velmora --auto --date-only",
     R"(Stamp a name that holds a date but no time at 00:00:00 of that day (UTC,
or local time with \fB\-\-local\fR).
A counter such as \fBWA0001\fR is never read as a time.
Example: \fBvelmora \-\-auto \-\-date\-only jpg\fR stamps
\fBIMG\-20100910\-WA0001.jpg\fR at 2010-09-10 00:00.)"},
};

}  // namespace

std::span<const option_doc> reading_options() {
  return table;
}
