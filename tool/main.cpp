// velmora: sets the last-modified time of files from the date and time
// written in their names.

#include <string_view>
#include <vector>

#include "tool/arguments.hpp"
#include "tool/console.hpp"
#include "tool/run.hpp"

namespace {

constexpr std::string_view version_text = "velmora 1.0.0\n";

constexpr std::string_view help_text =
    R"(Usage: velmora [OPTION]... [+N|-N] [}N] [{N] [EXTENSION]...
Set the last-modified time of the files in the current folder from the date
and time in their names, 'year-month-day hour.minute', such as
'2010-09-10 13.40.jpg'. Names are read as UTC unless --local is given.

  +N, -N       shift every time by N hours            velmora -2
  }N           cut N characters off the front of      velmora }4 jpg
               each name before the date is read      (IMG_2010-09-10 13.40.jpg)
  {N           cut N characters off the back of       velmora {5 jpg
               each name (before its extension)       (2010-09-10 13.40_edit.jpg)
  EXTENSION    stamp only names with this extension   velmora jpg mp4

      --dry-run    change nothing; show each time     velmora --dry-run +1 jpg
                   that would be set, in UTC
      --local      read names as local time           velmora --local
      --seconds    read '.SS' after the minute        velmora --seconds
      --recursive  walk subfolders too                velmora --recursive jpg
  -h, --help       show this help and stop            velmora --help
      --version    show the version and stop          velmora --version
      --           end of options; what follows is    velmora -- --x
                   read as shift, cut or extension

With no words, or with only an hour shift, every name that has an extension
is stamped; otherwise only names whose extension equals one of the words.
Each stamped file is announced as "Setting timestamp:", a tab and its path.

Exit status: 0 when every selected file was stamped, 1 when any was not or a
folder could not be listed, 2 when the command line is wrong.
)";

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  const parsed_command parsed = read_arguments(arguments);
  switch (parsed.what) {
    case command::help:
      return print_out(help_text) ? 0 : 1;
    case command::version:
      return print_out(version_text) ? 0 : 1;
    case command::usage_error:
      report(parsed.error);
      print_err("Try 'velmora --help' for more information.\n");
      return 2;
    case command::run:
      break;
  }
  return run(parsed.options);
}
