#include "cli/options.hpp"

#include <iterator>
#include <vector>

namespace {

using o = typed_options;

// What a run does; the options of how names are read follow them.
constexpr option_doc run_table[] = {
    {"--dry-run", "", &o::dry_run, nullptr,
     "change nothing; show each time that\nwould be set, in UTC", "velmora --dry-run +1 jpg",
     R"(Change nothing; print
.RB \(dq "Would set timestamp:" \(dq,
and, each after a tab, the path, the time it would get, the time it has
now (both in UTC) and how far apart they are (\fB+1h\fR, \fB\-2d 3h\fR;
\fBalready so\fR when it has that time), for each file that would be
stamped; with \fB\-\-takeout\fR, then the sidecar its time came from, or
\fBname\fR.
With \fB\-\-undo\fR, only show what would be restored.
Example: \fBvelmora \-\-dry\-run +1 jpg\fR.)",
     true},
    {"--recursive", "", &o::recursive, nullptr, "walk subfolders too", "velmora --recursive jpg",
     R"(Walk subfolders too, depth first; links to folders are not followed.
Paths are printed as \fB./2010/09/name.jpg\fR.
Example: \fBvelmora \-\-recursive jpg\fR.)"},
    {"--directory", "DIR", nullptr, &o::directory,
     "run in the folder DIR as if started\nthere (paths print as ./name)",
     "velmora --directory ~/Photos jpg",
     R"(Run in the folder \fIDIR\fR as if started there: paths are printed as
\fB./name\fR.
A folder that cannot be entered is an error.
Example: \fBvelmora \-\-directory ~/Photos jpg\fR.)"},
    {"--journal", "FILE", nullptr, &o::journal,
     "keep the journal in FILE rather than\nin the default one", "velmora --journal ~/undo.txt jpg",
     R"(Keep this run's journal in \fIFILE\fR rather than in the default one (see
\fBJOURNAL\fR): before a file's time is set, a record with its path, its
last-modified time before the run and the time being set, to the
nanosecond, is appended and synced to disk, in batches.
A \fIFILE\fR that cannot be opened or written, or that is no journal, is an
error found before anything is touched; a write that fails midway stops
the run.
Example: \fBvelmora \-\-journal ~/undo.txt \-\-auto jpg\fR.)"},
    {"--no-journal", "", &o::no_journal, nullptr,
     "keep no journal: nothing this run\ndoes can then be undone", "velmora --no-journal jpg",
     R"(Keep no journal: the run reads no old times and records nothing, and
nothing it does can be undone.)"},
    {"--undo", "[FILE]", &o::undo, &o::undo_file,
     "put back the times the last run set,\nwhere nobody changed them since;\nagain: "
     "the run before; with FILE:\nevery run it recorded",
     "velmora --undo",
     R"(Undo the newest run of the default journal that is not undone yet; given
again, the one before; with \fIFILE\fR, every run that journal recorded
and that is not undone yet.
For each record, newest first: if the file still has the time the run set,
put its old time back and print
.RB \(dq "Restoring timestamp:" \(dq,
a tab and its full path; if it has changed since, or is gone, leave it
alone and say so.
The runs undone are marked so in the journal.
It takes no words, and no option but \fB\-\-dry\-run\fR (say which run
it would undo, and each restore) and \fB\-\-list\fR.
Nothing is restored from a journal that does not parse.
Example: \fBvelmora \-\-undo\fR, from any folder.)",
     true, true},
    {"--list", "", &o::list, nullptr, "with --undo: list the runs the\njournal keeps",
     "velmora --undo --list",
     R"(With \fB\-\-undo\fR: list the runs the journal keeps, newest first, one a
line: when each began, how many files it set, its folder, and whether it
was undone.)",
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
    {130,
     "the run was interrupted (Ctrl-C, SIGTERM): it finished the files on their way, and said "
     "how to undo them"},
};

}  // namespace

std::span<const option_doc> long_options() {
  static const std::vector<option_doc> all = [] {
    std::vector<option_doc> options(std::begin(run_table), std::end(run_table));
    options.insert(options.end(), reading_options().begin(), reading_options().end());
    options.insert(options.end(), source_options().begin(), source_options().end());
    return options;
  }();
  return all;
}

const option_doc* find_option(std::string_view name) {
  for (const option_doc& option : long_options()) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

std::span<const exit_doc> exit_statuses() {
  return exits;
}
