// What a run asks of the operating system, as one plain record of
// functions: list a folder, read and write a file's times, read a small
// file beside it, write and sync the journal. The platform room fills it
// with the real calls (real_system); the tests fill it with a file system
// in memory (memory_system), so that whole runs are tested in one process.
//
// Errors
// ------
// Every call that can fail returns 0 or the platform's error code (errno
// on POSIX, GetLastError on Windows) and nothing else; error_text says it
// in words. A folder met where a file was meant is folder_error, the
// platform's own code for it. A listing that cannot be opened is a null
// handle with the code in errno, as the listing layer does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "decide/tick_time.hpp"
#include "listing/listing.hpp"
#include "system/file_facts.hpp"

// An open folder, as the system behind the record keeps it.
struct folder_handle;

// A listed entry as each system reaches it: through its folder, by its
// name there and the kind the listing gave it; or, with neither (an
// undo), by the path alone. path is always there: "./" and the path from
// the run's folder, or a full path.
struct file_ref {
  const folder_handle* folder = nullptr;
  const char* name = nullptr;
  int kind = kind_unknown;
  const char* path = nullptr;
};

// What reading beside keeps from file to file, for one thread: the text
// read (its buffer grows as needed), and what the system holds for it
// until done_beside (POSIX: descriptors closed together).
struct beside_reader {
  std::vector<char> buffer;
  int hold = 32;  // the most descriptors held to close together
  int first = -1;
  std::uint64_t done = 0;
};

// The largest file read beside: sidecars are a few kilobytes.
inline constexpr std::size_t beside_limit = 1 << 20;

struct system_calls {
  // The listing: a folder by its path, or an entry of an open one (never
  // through a link); null with errno set when it cannot be listed.
  std::function<folder_handle*(const char* path)> open_folder;
  std::function<folder_handle*(const folder_handle* parent, const dir_entry& entry,
                               const char* path)>
      open_subfolder;
  std::function<const dir_entry*(folder_handle* folder)> next_entry;
  std::function<int(const folder_handle* folder)> listing_error;  // 0 when it ran to its end
  std::function<void(folder_handle* folder)> close_folder;
  // Folders a run may hold open besides the walk's own listings (those
  // walked whose files are still being set, those opened ahead): a share
  // of the descriptors the process may hold, at most 64.
  int folders_held = 64;

  // A file's last-modified time, read and written; check says what a
  // write would meet (folder_error for a folder or a link to one, the
  // error of a link that leads nowhere) without writing. An entry that
  // is not listed as a link is never followed through one: a file swapped
  // for a link since it was listed gets the link's own time, never the
  // time of what the link leads to.
  std::function<int(const file_ref& file)> check;
  std::function<int(const file_ref& file, file_time& time)> read_time;
  std::function<int(const file_ref& file, const file_time& time)> write_time;
  // What the entry is now, without following it, and for a link what it
  // leads to: see file_facts.
  std::function<int(const file_ref& file, file_facts& facts)> look;
  // The creation time, where the system keeps one (Windows, --created);
  // elsewhere they fail with ENOTSUP, and are never called.
  std::function<int(const file_ref& file, file_time& time)> read_created;
  std::function<int(const file_ref& file, const file_time& time)> write_created;
  // t as finely as the system keeps times (Windows: whole ticks).
  std::function<file_time(const file_time& t)> precision;

  // The file called name in the folder of file, whole, into the reader's
  // buffer; its text is the first length bytes. Missing says whether an
  // error means that there is no such file. Only a regular file, or a link
  // to one, is opened: never a pipe, a device or a folder
  // (not_regular_error). done_beside lets go of what the reader holds.
  std::function<int(const file_ref& file, const std::string& name, beside_reader& reader,
                    std::size_t& length)>
      read_beside;
  std::function<bool(int error)> missing;
  std::function<void(beside_reader& reader)> done_beside;
  // The listed file's own data, opened to read (never written), by its
  // descriptor (read_at, size_of, close): only a regular file, or a link
  // to one that the link rule let through, never a pipe, a device or a
  // folder (not_regular_error); its last-access time kept where the system
  // allows (on Linux, for the file's owner).
  std::function<int(const file_ref& file, int& descriptor)> open_data;

  // The journal: a file appended to and synced, by its descriptor.
  std::function<int(const std::string& path, int& descriptor, bool& created)> open_appending;
  std::function<int(int descriptor)> lock;  // EWOULDBLOCK when another holds it
  std::function<int(int descriptor, std::string_view text)> append;  // all of it, or ENOSPC
  std::function<int(int descriptor)> sync;
  std::function<int(int descriptor, std::int64_t size)> cut_back;
  std::function<int(int descriptor, std::int64_t& size)> size_of;
  std::function<int(int descriptor, file_identity& identity)> identify;
  std::function<int(const std::string& path)> sync_folder_of;
  std::function<void(int descriptor)> close;
  // A regular file opened to read, without touching its last-access time
  // where the system allows, or, to update, to read and append to (never
  // made); ENODEV for anything but a regular file, which is never opened.
  std::function<int(const std::string& path, int& descriptor)> open_reading;
  std::function<int(const std::string& path, int& descriptor)> open_updating;
  // Puts the file at from in the place of the one at to, at once. Where
  // open files cannot be replaced (Windows), the one at to is closed first.
  std::function<int(const std::string& from, const std::string& to)> replace;
  bool replaces_open_files = true;
  // Up to size bytes from offset on (fewer at the end).
  std::function<int(int descriptor, std::int64_t offset, std::size_t size, std::string& text)>
      read_at;

  // Whether the run was asked to stop (Ctrl-C, SIGTERM, a closed terminal).
  std::function<bool()> interrupted;

  std::function<std::string(int error)> error_text;
  int folder_error = 0;
  int read_only_error = -1;     // the code for a write to a file system that is read-only
  int foreign_link_error = -1;  // write_time's code for a link the link rule refuses
  int not_regular_error = 0;    // read_beside's code for a pipe, a device, a folder
  unsigned runner = 0;          // the user the run runs as (Windows: always 0)
  char separator = '/';         // between the folders of a path as the system writes it ('\\')
};
