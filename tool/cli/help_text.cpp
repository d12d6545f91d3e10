#include "cli/help_text.hpp"

#include "cli/options.hpp"

namespace {

constexpr std::string_view help_start =
    R"(Usage: velmora [OPTION]... [+N|-N] [}N] [{N] [EXTENSION]...
Set the last-modified time of the files in the current folder from the date
and time in their names, 'year-month-day hour.minute', such as
'2010-09-10 13.40.jpg'. Names are read as UTC unless --local is given.

  +N, -N                     shift every time by N whole hours
                             e.g. velmora -2
  }N                         cut N characters off the front of each
                             name before the date is read
                             e.g. velmora }4 jpg (IMG_2010-09-10 13.40_edit.jpg)
  {N                         cut N characters off the back of each
                             name (before its extension); a back cut
                             longer than what is left cuts nothing
                             e.g. velmora {3 jpg (2010-09-10 13.40001.jpg)
  EXTENSION                  stamp only names with this extension
                             e.g. velmora jpg mp4

)";

constexpr std::string_view help_end =
    R"(  -h, --help                 show this help and stop
      --version              show the version and stop
      --                     end of options: what follows is never a long
                             option; a word that begins with + or - is
                             still an hour shift and must be a number

With no words, or with only an hour shift, every name that has an extension
is selected; otherwise only names whose extension equals one of the words
(every word counts, shifts and cuts too). Each selected file is announced as
"Setting timestamp:", a tab and its path, before its time is set.

Only the last-modified time of a selected file changes; its data is never
opened. A link is followed only when you, or the owner of the file it leads
to, own it; an entry listed as a file is never followed through a link. A
word with a '/' is a path, never an extension: use --directory.
)";

// "--dry-run" as roff shows it: dashes as \-.
std::string roff(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '-') out += '\\';
    out += c;
  }
  return out;
}

// Wraps text to lines of at most width characters, at blanks.
std::string wrapped(std::string_view text, std::size_t width, std::string_view indent) {
  std::string out;
  std::size_t column = 0;
  while (!text.empty()) {
    const std::size_t blank = text.find(' ');
    const std::string_view word = text.substr(0, blank);
    if (column > 0 && column + 1 + word.size() > width) {
      out.append("\n").append(indent);
      column = 0;
    } else if (column > 0) {
      out += ' ';
      ++column;
    }
    out.append(word);
    column += word.size();
    text.remove_prefix(blank == std::string_view::npos ? text.size() : blank + 1);
  }
  return out;
}

}  // namespace

std::string help_text() {
  std::string out(help_start);
  constexpr std::size_t summary_column = 29;
  for (const option_doc& option : long_options()) {
    std::string head = "      " + std::string(option.name);
    if (!option.value.empty()) head.append(" ").append(option.value);
    std::string_view summary = option.summary;
    bool first = true;
    while (!summary.empty() || first) {
      const std::size_t end = summary.find('\n');
      const std::string_view line = summary.substr(0, end);
      if (first && head.size() + 1 >= summary_column) {
        out.append(head).append("\n");
        head.clear();
      }
      std::string row = first ? head : "";
      row.resize(summary_column, ' ');
      out.append(row).append(line).append("\n");
      first = false;
      summary.remove_prefix(end == std::string_view::npos ? summary.size() : end + 1);
    }
    out.append(summary_column, ' ').append("e.g. ").append(option.example).append("\n");
  }
  out.append(help_end).append("\nExit status:\n");
  for (const exit_doc& e : exit_statuses()) {
    const std::string status = std::to_string(e.status);
    out.append("  ").append(status).append("  ");
    out.append(wrapped(e.meaning, 76 - status.size(), std::string(status.size() + 4, ' ')));
    out.append("\n");
  }
  return out;
}

std::string man_sections() {
  std::string out =
      ".SH OPTIONS\nOptions are no words for the selection, and may stand anywhere.\n";
  for (const option_doc& option : long_options()) {
    if (option.value.empty()) {
      out.append(".TP\n.B ").append(roff(option.name)).append("\n");
    } else if (option.optional_value) {  // "[FILE]"
      const std::string_view value = option.value.substr(1, option.value.size() - 2);
      out.append(".TP\n.BR ").append(roff(option.name)).append(" \" [\\fI");
      out.append(value).append("\\fR]\"\n");
    } else {
      const std::string name = roff(option.name);
      const std::string value(option.value);
      out.append(".TP\n.BI ").append(name).append(" \" ").append(value).append("\\fR, \" ");
      out.append(name).append("= ").append(value).append("\n");
    }
    out.append(option.details).append("\n");
  }
  out.append(R"(.TP
.BR \-h ", " \-\-help
Print the usage and stop.
.TP
.B \-\-version
Print the version and stop.
.TP
.B \-\-
End the options: no word after it is read as an option (\fB\-\-help\fR
there is no help).
It does not make a word that begins with \fB+\fR or \fB\-\fR an
extension: such a word is still an hour shift, and must be a whole number.
Example: \fBvelmora \-\- \-2 jpg\fR.
.SH EXIT STATUS
)");
  for (const exit_doc& e : exit_statuses()) {
    std::string meaning(e.meaning);
    meaning[0] = static_cast<char>(meaning[0] - 'a' + 'A');
    out.append(".TP\n").append(std::to_string(e.status)).append("\n");
    out.append(roff(meaning)).append(".\n");
  }
  return out;
}
