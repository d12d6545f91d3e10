// Runs the built tool in a folder and collects what it says, for the
// end-to-end tests; and makes and inspects the folders it runs in.
#pragma once

#include <ctime>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

struct tool_result {
  std::string out;
  std::string err;
  int status = -1;  // the exit status; -1 when it did not exit normally
  bool timed_out = false;
};

struct run_setup {
  std::vector<std::string> environment;  // extra "NAME=value" settings
  bool as_nobody = false;                // drop to the user nobody first
  bool close_stdout = false;
  bool broken_pipe = false;  // stdout is a pipe whose reader has gone
  std::string stdout_path;   // send stdout to this file instead of a pipe
  int timeout_seconds = 60;
  int max_processes = 0;  // with as_nobody: the most threads the tool may have (RLIMIT_NPROC)
  int max_files = 0;      // the most descriptors the tool may hold (RLIMIT_NOFILE)
};

tool_result run_tool(const std::string& folder, const std::vector<std::string>& arguments,
                     const run_setup& setup = {});

// Whether text holds part anywhere.
inline bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Where the tool under test keeps its default journal, for runs as root or
// as nobody: a folder of this test process's own.
std::string state_home(bool as_nobody = false);

// The path of the tool under test (run directly, without a runner).
std::string tool_under_test();

// True when the tool under test is a Windows build, run through a runner.
bool testing_windows_build();

// The lines the tool prints, with the line ends its platform uses.
std::string lines(const std::vector<std::string>& each);

// Runs a shell command, its output dropped; whether it succeeded.
bool shell(const std::string& command);

// The tools of a list that this machine lacks, named, or empty.
std::string missing_tools(const std::vector<std::string>& tools);

// What a run says first where no zone is named.
inline const std::string utc_note =
    "velmora: names are read as UTC (--local or --tz ZONE reads them in a zone)";

// The lines of a text without their line ends, sorted: the listing order
// is the file system's.
std::vector<std::string> sorted_lines(const std::string& text);
int count_lines(const std::string& text);

// A fresh empty folder under the temporary folder, open to every user,
// gone when the test ends.
struct scratch {
  std::string path;
  scratch();
  ~scratch();
  scratch(const scratch&) = delete;
  scratch& operator=(const scratch&) = delete;
  std::string at(const std::string& name) const { return path + "/" + name; }
};

// Creates a file with some content and known old times.
void make_file(const std::string& path, const std::string& content = "photo");

// Sets a path's times (a link's own) to old_atime and old_mtime.
void set_old_times(const std::string& path);

// Sets a path's last-modified time alone, as another program might.
void set_mtime(const std::string& path, long long ns);

// Makes the user nobody own a path, when the tests run as root.
void give_to_nobody(const std::string& path);

// Runs the tool as an ordinary user: as nobody when the tests run as root.
run_setup unprivileged();

// Runs the tool with the fault seam preloaded (fault_seam.cpp), set up by
// the given "NAME=value" settings.
run_setup with_fault_seam(const std::vector<std::string>& settings);

// Nanoseconds since 1970 of a path's last-modified and last-access times,
// following links (or of the link itself with no_follow).
long long mtime_of(const std::string& path, bool no_follow = false);
long long atime_of(const std::string& path, bool no_follow = false);

// Nanoseconds since 1970 of a UTC calendar time.
long long utc_ns(int year, int month, int day, int hour, int minute, int second = 0);

// The times every made file starts with, so that any change shows.
inline constexpr long long old_mtime = 981'173'106'123'456'789;  // 2001-02-03 04:05:06.123456789
inline constexpr long long old_atime = 1'012'709'106'987'654'321;

// What a test can see of an entry: its times and, for a file, its data.
// The last-access time of a folder or a link is left out: listing the one
// or following the other may update it.
struct entry_state {
  long long mtime = 0;
  long long atime = 0;
  std::string content;
  bool operator==(const entry_state&) const = default;
};
inline void PrintTo(const entry_state& s, std::ostream* out) {
  *out << "{mtime " << s.mtime << ", atime " << s.atime << ", " << s.content.size() << " bytes}";
}
using folder_state = std::map<std::string, entry_state>;  // by path below the folder

// Every entry below a folder, links not followed, read without touching
// any last-access time.
folder_state snapshot(const std::string& folder);

// Nothing changed between the two snapshots but the last-modified times
// of the entries named in stamped (paths below the folder).
void expect_only_stamped(const folder_state& before, const folder_state& after,
                         const std::set<std::string>& stamped);
