// A file system and a console in memory, for tests: whole runs and undos
// in one process, without root, with the faults real file systems make
// only now and then made on purpose. Safe to call from many threads.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "system/output.hpp"
#include "system/system.hpp"

struct memory_file {
  int kind = kind_regular;  // kind_regular, kind_directory, kind_link, kind_fifo ...
  file_time mtime;
  std::string data;  // a file's bytes; a link's target, as given to symlink
  unsigned long long number = 0;
  unsigned owner = 0;  // the user who owns it
};

struct memory_system {
  std::mutex lock;
  std::string root = "/photos";  // the folder a run starts in (".")
  unsigned runner = 0;           // the user the run runs as
  // Every entry by its full path; hard links share one file.
  std::map<std::string, std::shared_ptr<memory_file>> entries;
  // How the file system keeps a time it is given (to the nanosecond,
  // unless a test says otherwise: rounded, clamped, dropped).
  std::function<file_time(const file_time& given, const file_time& old)> keeps;
  // A fault made on purpose: the error code a call on a path returns, or 0.
  // The calls are named "list", "check", "read", "write", "look", "beside",
  // "data" (a file's own data opened), and "wrote", a write that is made
  // and then fails;
  // a fault may also change the entries first (swap two, as another
  // program would), under the system's lock.
  std::function<int(const std::string& call, const std::string& path)> fault;
  // The journal's room: appends past it write what fits, then fail with
  // ENOSPC; negative for no limit. fail_syncs_after: syncs that succeed
  // before they fail with EIO; negative for none.
  long long room = -1;
  // Whether each write takes a while (up to 100 µs, by its path), so that
  // workers finish in another order than they started, as on a share.
  bool slow_writes = false;
  // Whether a file open through a descriptor cannot be replaced, as on
  // Windows (EACCES).
  bool open_files_stay = false;
  // Called as a lock is asked for, before it is taken: what another
  // process does meanwhile.
  std::function<void()> before_lock;
  int fail_syncs_after = -1;
  unsigned long long next_number = 100;
  std::vector<std::string> calls;  // "look ./a.jpg", "write ./a.jpg", ... in order, when log_calls
  // Whether the listing looks at each entry as it lists it and says what it
  // saw, as where the file system does not give kinds
  // (some FUSE file systems, XFS made without ftype).
  bool listing_looks = false;
  // Asked whether to stop this many times, the run is interrupted; negative
  // for never.
  int interrupt_after = -1;
  bool log_calls = false;
  // The open descriptors: the file each holds, which stays theirs when its
  // name is replaced; and the files locked.
  std::map<int, std::shared_ptr<memory_file>> open;
  std::map<const memory_file*, int> locked;  // each file locked, and by which descriptor
  // The folders open now, and the most open at once. A file reached
  // through a folder closed already fails with EBADF, as a file named
  // through a closed descriptor does.
  std::set<const folder_handle*> folders_open;
  std::size_t most_folders_open = 0;
  // Folders opened on another thread than the run's folder: ahead of the walk.
  std::thread::id root_opener;
  int folders_opened_ahead = 0;
};

// A regular file, link or folder at path (relative to the root, or full);
// folders on the way are made.
memory_file& add_file(memory_system& fs, const std::string& path, const file_time& mtime,
                      const std::string& data = "photo");
void add_folder(memory_system& fs, const std::string& path);
void add_link(memory_system& fs, const std::string& path, const std::string& target,
              unsigned owner = 0);
void add_hard_link(memory_system& fs, const std::string& path, const std::string& existing);

// The file an entry's path leads to, links followed; null when none.
// A run follows only entries it listed as links.
std::shared_ptr<memory_file> file_at(memory_system& fs, const std::string& path);

system_calls calls_of(memory_system& fs);

// What a run said: standard output and standard error, as written.
struct memory_console {
  std::mutex lock;
  std::string out;
  std::string err;
  int out_fails_after = -1;  // lines written before output fails with EPIPE
  bool err_is_terminal = false;
};

run_output output_of(memory_console& console);
