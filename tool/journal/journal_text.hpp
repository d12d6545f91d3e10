// The journal's text: one record a line, for people to read and scripts to
// parse. Pure: strings in, strings out.
//
//   velmora-journal 1
//   folder<TAB>/home/ann/Photos<TAB>2026-12-08T20:31:00.123456789Z
//   file<TAB>./2010/IMG_1.jpg<TAB>2001-02-03T04:05:06.123456789Z<TAB>2010-09-10T13:40:00.000000000Z
//   undone<TAB>2026-12-08T20:31:00.123456789Z
//
// A 'folder' line names the folder a run started in, and when it started,
// which names the run (journals of earlier versions give no time); each
// 'file' line after it names a file of that run by its path from there,
// its last-modified time before the run and the time the run set, in UTC
// to the nanosecond. A 'link' line is the same for an entry the run found
// as a link and followed: only such an entry is followed when it is
// undone. An 'undone' line says that the run that started at that time
// has been undone. Paths are escaped so that every name survives one line:
// '\' as '\\', tab, newline and carriage return as '\t', '\n', '\r', and
// any other control byte, and every byte that is not part of valid UTF-8,
// as '\xHH'. Lines that begin with '#' are comments.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "decide/tick_time.hpp"
#include "journal/journal_time.hpp"
#include "journal/path_escape.hpp"

inline constexpr std::string_view journal_magic = "velmora-journal 1";

std::string folder_line(std::string_view folder, const file_time& started);
std::string undone_line(const file_time& started);
// With --created (Windows), a fifth field holds the creation time before
// the run, which the run set to the same instant as the last-modified time.
void append_file_line(std::string& out, std::string_view path, const file_time& before,
                      const file_time& set,
                      const std::optional<file_time>& created_before = std::nullopt,
                      bool link = false);

enum class line_kind { magic, comment, folder, file, undone, malformed };

struct journal_line {
  line_kind kind = line_kind::malformed;
  std::string path;                  // the folder, or the file's path
  std::optional<file_time> started;  // a folder's run, or the run an 'undone' line names
  file_time before;
  file_time set;
  std::optional<file_time> created_before;
  bool link = false;  // a 'link' record: the run followed it
};

// One line, without its line end. A journal is text that anyone may
// edit: a folder that is no full path, and a file's path that does not
// begin with "./", leaves its folder ("..") or holds a NUL, make a line
// malformed.
journal_line parse_journal_line(std::string_view line);
