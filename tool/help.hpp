// What --help and --version print.
#pragma once

#include <string_view>

inline constexpr std::string_view version_text = "velmora 1.0.0\n";

inline constexpr std::string_view help_text =
    R"(Usage: velmora [OPTION]... [+N|-N] [}N] [{N] [EXTENSION]...
Set the last-modified time of the files in the current folder from the date
and time in their names, 'year-month-day hour.minute', such as
'2010-09-10 13.40.jpg'. Names are read as UTC unless --local is given.

  +N, -N       shift every time by N whole hours      velmora -2
  }N           cut N characters off the front of      velmora }4 jpg
               each name before the date is read      (IMG_2010-09-10 13.40_edit.jpg)
  {N           cut N characters off the back of       velmora {3 jpg
               each name (before its extension); a    (2010-09-10 13.40001.jpg)
               back cut longer than what is left
               cuts nothing
  EXTENSION    stamp only names with this extension   velmora jpg mp4

      --dry-run    change nothing; show each time     velmora --dry-run +1 jpg
                   that would be set, in UTC
      --local      read names as local time (TZ)      velmora --local
      --seconds    read '.SS' after the minute        velmora --seconds
      --recursive  walk subfolders too                velmora --recursive jpg
      --auto       find the date and time anywhere    velmora --auto jpg mp4
                   in the name, in the shapes phones  (IMG_20100910_134012.jpg,
                   and cameras write                   PXL_20230101_123456789.jpg)
      --format PATTERN  read names by a pattern:      velmora --format '%d.%m.%Y %H-%M'
                   %Y %y %m %d %H %M %S %I %p %f %z   (10.09.2010 13-40.jpg)
                   %%, and * for any text
      --date-only  stamp a date with no time at       velmora --auto --date-only
                   00:00                              (IMG-20100910-WA0001.jpg)
      --directory DIR  run in DIR as if started       velmora --directory ~/Photos jpg
                   there (paths print as ./name)
      --journal FILE  record each file's old time     velmora --journal ~/undo.txt jpg
                   in FILE before setting it
      --undo FILE  put back the times a journal       velmora --undo ~/undo.txt
                   recorded, where nobody changed     (--dry-run: what it would)
                   them since
      --jobs N     stamp up to N files at once        velmora --jobs 16 jpg
                   (1 to 64; default 16 on network
                   and FUSE file systems, else 1)
      --verbose    say how many at once, and why      velmora --verbose
      --created    Windows: set the creation time     velmora --created jpg
                   too (Linux cannot)
  -h, --help       show this help and stop            velmora --help
      --version    show the version and stop          velmora --version
      --           end of options: what follows is    velmora -- -2 jpg
                   never a long option; a word that
                   begins with + or - is still an
                   hour shift and must be a number

With no words, or with only an hour shift, every name that has an extension
is selected; otherwise only names whose extension equals one of the words
(every word counts, shifts and cuts too). Each selected file is announced as
"Setting timestamp:", a tab and its path, before its time is set.

Exit status: 0 when every selected file was stamped, 1 when any was not or a
folder could not be listed, 2 when the command line is wrong.
)";
