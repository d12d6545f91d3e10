#include "tool_runner.hpp"

#include <fcntl.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include <gtest/gtest.h>

#ifndef VELMORA_SEAM
#define VELMORA_SEAM ""
#endif
#ifndef VELMORA_BUILT_EXE
#define VELMORA_BUILT_EXE "velmora"
#endif

namespace {

std::string tool_path() {
  const char* exe = std::getenv("VELMORA_EXE");
  return exe != nullptr && *exe != '\0' ? exe : VELMORA_BUILT_EXE;
}

std::string runner() {
  const char* r = std::getenv("VELMORA_RUNNER");
  return r != nullptr ? r : "";
}

[[noreturn]] void fail(const char* what) {
  throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

timespec to_timespec(long long ns) {
  return {static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
}

long long ns_of(const timespec& t) {
  return t.tv_sec * 1'000'000'000LL + t.tv_nsec;
}

struct stat stat_of(const std::string& path, bool no_follow) {
  struct stat st;
  if ((no_follow ? lstat(path.c_str(), &st) : stat(path.c_str(), &st)) != 0) fail(path.c_str());
  return st;
}

// The state folder of this test process, where the tool under test keeps
// its default journal: one for root and one for nobody, each its own.
std::string state_of(bool nobody) {
  const std::filesystem::path base = std::filesystem::temp_directory_path() / "velmora-e2e";
  return (base / (std::to_string(getpid()) + (nobody ? "-state-nobody" : "-state"))).string();
}

void make_state(const std::string& folder, bool nobody) {
  std::filesystem::create_directories(folder);
  if (nobody && geteuid() == 0 && chown(folder.c_str(), 65534, 65534) != 0) fail(folder.c_str());
}

// In the child: set up and exec; never returns.
[[noreturn]] void start_child(const std::string& folder, const std::vector<std::string>& arguments,
                              const run_setup& setup, int out_fd, int err_fd,
                              const std::string& state) {
  if (setup.close_stdout) {
    close(STDOUT_FILENO);
  } else if (setup.broken_pipe) {
    int gone[2];
    if (pipe(gone) != 0) _exit(126);
    close(gone[0]);
    dup2(gone[1], STDOUT_FILENO);
    signal(SIGPIPE, SIG_DFL);  // as a shell leaves it: the tool must cope by itself
  } else if (!setup.stdout_path.empty()) {
    const int fd = open(setup.stdout_path.c_str(), O_WRONLY);
    if (fd < 0) _exit(126);
    dup2(fd, STDOUT_FILENO);
  } else {
    dup2(out_fd, STDOUT_FILENO);
  }
  dup2(err_fd, STDERR_FILENO);
  if (chdir(folder.c_str()) != 0) _exit(126);
  // A default journal of this test's own, which no other test writes to.
  setenv("XDG_STATE_HOME", state.c_str(), 1);
  setenv("LOCALAPPDATA", ("Z:" + state).c_str(), 1);
  // wine's own errors silenced but the one that says it could not start.
  if (!runner().empty()) setenv("WINEDEBUG", "-all,err+virtual", 1);
  for (const std::string& setting : setup.environment) putenv(const_cast<char*>(setting.c_str()));
  if (setup.max_processes > 0) {
    const rlimit limit{static_cast<rlim_t>(setup.max_processes),
                       static_cast<rlim_t>(setup.max_processes)};
    if (setrlimit(RLIMIT_NPROC, &limit) != 0) _exit(126);
  }
  if (setup.max_files > 0) {
    const rlimit limit{static_cast<rlim_t>(setup.max_files), static_cast<rlim_t>(setup.max_files)};
    if (setrlimit(RLIMIT_NOFILE, &limit) != 0) _exit(126);
  }

  std::vector<std::string> words;
  if (setup.as_nobody) {
    words = {"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", "--"};
  }
  if (!runner().empty()) words.push_back(runner());
  words.push_back(tool_path());
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  execvp(argv[0], argv.data());
  _exit(127);
}

tool_result run_once(const std::string& folder, const std::vector<std::string>& arguments,
                     const run_setup& setup) {
  int out[2];
  int err[2];
  if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) fail("pipe");
  const std::string state = state_home(setup.as_nobody);
  const pid_t pid = fork();
  if (pid < 0) fail("fork");
  if (pid == 0) start_child(folder, arguments, setup, out[1], err[1], state);
  close(out[1]);
  close(err[1]);

  tool_result result;
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(setup.timeout_seconds);
  pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  int open_pipes = 2;
  while (open_pipes > 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      result.timed_out = true;
      kill(pid, SIGKILL);
      break;
    }
    if (poll(fds, 2, static_cast<int>(left.count())) < 0 && errno != EINTR) fail("poll");
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(n));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open_pipes;
      }
    }
  }
  for (const pollfd& p : fds) {
    if (p.fd >= 0) close(p.fd);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

// Now and then wine64 cannot start a process at all: the address it needs
// for the data it shares with the process is taken, and it exits with 1
// before the program runs. Such a start is made again; the program never
// ran, so nothing was touched.
bool wine_could_not_start(const tool_result& r) {
  return testing_windows_build() && r.status == 1 &&
         r.err.find("wine: failed to map the shared user data") != std::string::npos;
}

}  // namespace

tool_result run_tool(const std::string& folder, const std::vector<std::string>& arguments,
                     const run_setup& setup) {
  tool_result result = run_once(folder, arguments, setup);
  for (int again = 0; again < 3 && wine_could_not_start(result); ++again) {
    result = run_once(folder, arguments, setup);
  }
  return result;
}

bool testing_windows_build() {
  return !runner().empty();
}

std::string lines(const std::vector<std::string>& each) {
  std::string text;
  for (const std::string& line : each) text += line + (testing_windows_build() ? "\r\n" : "\n");
  return text;
}

std::vector<std::string> sorted_lines(const std::string& text) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    out.push_back(line);
  }
  std::sort(out.begin(), out.end());
  return out;
}

int count_lines(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

scratch::scratch() {
  static std::atomic<int> count{0};
  // Under the temporary folder, where any user can reach it.
  const std::filesystem::path base = std::filesystem::temp_directory_path() / "velmora-e2e";
  std::filesystem::create_directories(base);
  path = (base / (std::to_string(getpid()) + "-" + std::to_string(count++))).string();
  std::filesystem::remove_all(path);
  std::filesystem::create_directory(path);
  chmod(path.c_str(), 0777);  // so that a test can run the tool as another user
}

scratch::~scratch() {
  std::error_code ignored;
  std::filesystem::permissions(path, std::filesystem::perms::all, ignored);
  for (const auto& e : std::filesystem::recursive_directory_iterator(path, ignored)) {
    if (!e.is_symlink())
      std::filesystem::permissions(e.path(), std::filesystem::perms::all, ignored);
  }
  std::filesystem::remove_all(path, ignored);
}

void make_file(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
  set_old_times(path);
}

void set_old_times(const std::string& path) {
  const timespec times[2] = {to_timespec(old_atime), to_timespec(old_mtime)};
  if (utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0) fail(path.c_str());
}

void set_mtime(const std::string& path, long long ns) {
  const timespec times[2] = {{0, UTIME_OMIT}, to_timespec(ns)};
  if (utimensat(AT_FDCWD, path.c_str(), times, 0) != 0) fail(path.c_str());
}

void give_to_nobody(const std::string& path) {
  if (geteuid() == 0 && lchown(path.c_str(), 65534, 65534) != 0) fail(path.c_str());
}

run_setup unprivileged() {
  run_setup setup;
  setup.as_nobody = geteuid() == 0;
  return setup;
}

// A state folder of each test's own, kept across its runs: the tests of
// one process (all of them, under wine) never share a default journal.
// Wine sets LOCALAPPDATA from its prefix, whatever the environment says:
// there the prefix's folder is emptied of velmora's state as a test begins.
std::string state_home(bool as_nobody) {
  if (testing_windows_build()) {
    static std::string emptied_for;
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string name;
    if (test != nullptr) name.append(test->test_suite_name()).append(".").append(test->name());
    const char* prefix = std::getenv("WINEPREFIX");
    const passwd* user = getpwuid(getuid());
    std::string local(prefix == nullptr ? "" : prefix);
    local.append("/drive_c/users/").append(user == nullptr ? "root" : user->pw_name);
    local.append("/AppData/Local");
    if (name != emptied_for) {
      std::error_code ignored;
      std::filesystem::remove_all(local + "/velmora", ignored);
      emptied_for = name;
    }
    return local;
  }
  static const bool removed_at_exit = [] {
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(state_of(false), ignored);
      std::filesystem::remove_all(state_of(true), ignored);
    });
    return true;
  }();
  static_cast<void>(removed_at_exit);
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  std::string folder = state_of(as_nobody);
  make_state(folder, as_nobody);
  folder.append("/").append(test == nullptr ? "outside" : test->test_suite_name());
  folder.append(".").append(test == nullptr ? "tests" : test->name());
  make_state(folder, as_nobody);
  return folder;
}

std::string tool_under_test() {
  return tool_path();
}

run_setup with_fault_seam(const std::vector<std::string>& settings) {
  run_setup seam;
  const char* asan = std::getenv("ASAN_OPTIONS");
  seam.environment = {std::string("LD_PRELOAD=") + VELMORA_SEAM,
                      "ASAN_OPTIONS=verify_asan_link_order=0:" + std::string(asan ? asan : "")};
  seam.environment.insert(seam.environment.end(), settings.begin(), settings.end());
  return seam;
}

long long mtime_of(const std::string& path, bool no_follow) {
  return ns_of(stat_of(path, no_follow).st_mtim);
}

long long atime_of(const std::string& path, bool no_follow) {
  return ns_of(stat_of(path, no_follow).st_atim);
}

long long utc_ns(int year, int month, int day, int hour, int minute, int second) {
  struct tm t {};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  return static_cast<long long>(timegm(&t)) * 1'000'000'000LL;
}

folder_state snapshot(const std::string& folder) {
  folder_state state;
  for (const auto& e : std::filesystem::recursive_directory_iterator(folder)) {
    const std::string path = e.path().string();
    const struct stat st = stat_of(path, true);
    entry_state& s = state[path.substr(folder.size() + 1)];
    s.mtime = ns_of(st.st_mtim);
    // Listing a folder, or following a link, may update its access time.
    if (S_ISDIR(st.st_mode) || S_ISLNK(st.st_mode)) continue;
    s.atime = ns_of(st.st_atim);
    if (!S_ISREG(st.st_mode)) continue;
    const int fd = open(path.c_str(), O_RDONLY | O_NOATIME | O_CLOEXEC);
    if (fd < 0) fail(path.c_str());
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) {
      s.content.append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
  }
  return state;
}

void expect_only_stamped(const folder_state& before, const folder_state& after,
                         const std::set<std::string>& stamped) {
  EXPECT_EQ(before.size(), after.size());
  for (const auto& [path, was] : before) {
    const auto now = after.find(path);
    if (now == after.end()) {
      ADD_FAILURE() << path << " is gone";
      continue;
    }
    entry_state expected = was;
    if (stamped.count(path) != 0) expected.mtime = now->second.mtime;
    EXPECT_EQ(now->second, expected) << path << " changed";
  }
}

bool shell(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

std::string missing_tools(const std::vector<std::string>& tools) {
  std::string missing;
  for (const std::string& tool : tools) {
    if (!shell("command -v " + tool)) missing += (missing.empty() ? "" : ", ") + tool;
  }
  return missing;
}
