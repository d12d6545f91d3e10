#include "cli/options.hpp"

namespace {

using o = run_options;

constexpr option_doc table[] = {
    {"--dry-run", "", &o::dry_run, nullptr,
     "change nothing; show each time that\nwould be set, in UTC", "velmora --dry-run +1 jpg",
     R"(Change nothing; print
.RB \(dq "Would set timestamp:" \(dq,
and, each after a tab, the path, the time it would get, the time it has
now (both in UTC) and how far apart they are (\fB+1h\fR, \fB\-2d 3h\fR;
\fBalready so\fR when it has that time), for each file that would be
stamped.
With \fB\-\-undo\fR, only show what would be restored.
Example: \fBvelmora \-\-dry\-run +1 jpg\fR.)",
     true},
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
or a fixed offset from UTC (\fB+05:30\fR, \fB\-0400\fR, \fB+02\fR).
A photo folder from a trip is in the trip's zone, not the computer's.
On Windows, which has no zone database, only a fixed offset is taken.
A zone that is not on the machine is an error.
Example: \fBvelmora \-\-auto \-\-tz Asia/Tokyo jpg\fR.)"},
    {"--seconds", "", &o::seconds, nullptr, "read '.SS' after the minute", "velmora --seconds",
     R"(Read an optional \fB.\fISS\fR (00 to 59) right after the minute.
Example: \fBvelmora \-\-seconds\fR reads \fB2010\-09\-10 13.40.17.jpg\fR as 13:40:17.)"},
    {"--recursive", "", &o::recursive, nullptr, "walk subfolders too", "velmora --recursive jpg",
     R"(Walk subfolders too, depth first; links to folders are not followed.
Paths are printed as \fB./2010/09/name.jpg\fR.
Example: \fBvelmora \-\-recursive jpg\fR.)"},
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
\fB%m\fR, \fB%d\fR, \fB%H\fR, \fB%M\fR, \fB%S\fR (2 digits each),
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
    {"--directory", "DIR", nullptr, &o::directory,
     "run in the folder DIR as if started\nthere (paths print as ./name)",
     "velmora --directory ~/Photos jpg",
     R"(Run in the folder \fIDIR\fR as if started there: paths are printed as
\fB./name\fR.
A folder that cannot be entered is an error.
Example: \fBvelmora \-\-directory ~/Photos jpg\fR.)"},
    {"--journal", "FILE", nullptr, &o::journal,
     "record each file's old time in FILE\nbefore setting it", "velmora --journal ~/undo.txt jpg",
     R"(Before a file's time is set, append a record to \fIFILE\fR with its path,
its last-modified time before the run and the time being set, to the
nanosecond; records are synced to disk, in batches, before the times they
name are set.
A \fIFILE\fR that cannot be opened or written, or that is no journal, is an
error found before anything is touched; a write that fails midway stops
the run.
A dry run writes no journal.
Example: \fBvelmora \-\-journal ~/undo.txt \-\-auto jpg\fR.)"},
    {"--undo", "FILE", nullptr, &o::undo,
     "put back the times a journal\nrecorded, where nobody changed them\nsince (with --dry-run: "
     "what it\nwould); takes no other word or option",
     "velmora --undo ~/undo.txt",
     R"(For each record of the journal, newest first: if the file still has the
time the run set, put its old time back and print
.RB \(dq "Restoring timestamp:" \(dq,
a tab and its full path; if it has changed since, or is gone, leave it
alone and say so.
It takes no words, and no option but \fB\-\-dry\-run\fR.
Nothing is restored from a journal that does not parse.
Example: \fBvelmora \-\-undo ~/undo.txt\fR, from any folder.)",
     true},
    {"--jobs", "N", nullptr, &o::jobs_text,
     "stamp up to N files at once (1 to\n64; default 16 on network and FUSE\nfile systems, else 1)",
     "velmora --jobs 16 jpg",
     R"(Stamp up to \fIN\fR files at once (1 to 64), for file systems where every
call is a round trip. The default is 16 on NFS, SMB/CIFS, FUSE and similar
file systems (Windows: a network drive or a UNC path), and 1 elsewhere; a
dry run sets no times and stamps one at a time.
What is printed, and in which order, is the same with any \fIN\fR.
Example: \fBvelmora \-\-jobs 16 \-\-recursive jpg\fR.)"},
    {"--quiet", "", &o::quiet, nullptr,
     "print no line for each file and no\nsummary; errors all the same", "velmora --quiet jpg",
     R"(Print neither the line for each file (\fBSetting timestamp:\fR, or a dry
run's \fBWould set timestamp:\fR) nor the summary at the end; every file
that is left alone is still reported, and the exit status is the same.)"},
    {"--verbose", "", &o::verbose, nullptr,
     "say how many at once and why, and how\neach name was read", "velmora --verbose",
     R"(Say on standard error how many files are stamped at once, and why, and
for each file stamped the time it gets and how its name was read (as UTC,
in the local zone, at an offset, or as the instant the name names).)"},
    {"--created", "", &o::created, nullptr, "Windows: set the creation time too\n(Linux cannot)",
     "velmora --created jpg",
     R"(On Windows, set the creation time to the same instant as the
last-modified time, in the same call. Linux cannot set a file's birth
time: there it is an error.)"},
};

constexpr exit_doc exits[] = {
    {0, "every selected file was stamped (or none was selected)"},
    {1,
     "some selected file was not stamped, a folder could not be listed to its end, or "
     "standard output failed"},
    {2,
     "the command line is wrong, the folder of --directory cannot be entered, --local has no "
     "zone, the journal cannot be written, or the journal to undo cannot be read or parsed; "
     "nothing was touched"},
};

}  // namespace

std::span<const option_doc> long_options() {
  return table;
}

const option_doc* find_option(std::string_view name) {
  for (const option_doc& option : table) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

std::span<const exit_doc> exit_statuses() {
  return exits;
}
