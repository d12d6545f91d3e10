#include "slow_mount.hpp"

#include <signal.h>
#include <sys/vfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "tool_runner.hpp"

#ifndef VELMORA_SLOWFS
#define VELMORA_SLOWFS ""
#endif

slow_mount::slow_mount(const std::string& backing, const std::string& mount_point,
                       const std::vector<std::string>& settings)
    : point(mount_point) {
  std::filesystem::create_directories(point);
  pid = fork();
  if (pid == 0) {
    setenv("SLOWFS_DELAY_US", "1000", 1);
    for (const std::string& setting : settings) putenv(const_cast<char*>(setting.c_str()));
    execl(VELMORA_SLOWFS, "slowfs", backing.c_str(), point.c_str(), "-f", "-o", "max_threads=64",
          static_cast<char*>(nullptr));
    _exit(127);
  }
  for (int i = 0; i < 200 && !mounted(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

slow_mount::slow_mount(const std::string& backing, const std::string& mount_point, bool numbered)
    : slow_mount(backing, mount_point,
                 numbered ? std::vector<std::string>{}
                          : std::vector<std::string>{"SLOWFS_NO_NUMBERS=1"}) {}

bool slow_mount::mounted() const {
  struct statfs fs;
  return statfs(point.c_str(), &fs) == 0 && fs.f_type == 0x65735546;  // FUSE
}

slow_mount::~slow_mount() {
  std::string unmount = "fusermount3 -u '";
  unmount.append(point).append("' 2>/dev/null");
  if (std::system(unmount.c_str()) != 0) kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
}

const char* slow_mount::missing() {
  if (testing_windows_build()) return "the slow file system is for Linux";
  if (std::string(VELMORA_SLOWFS).empty()) return "the slow file system needs libfuse3 to build";
  if (geteuid() != 0 || access("/dev/fuse", R_OK | W_OK) != 0) {
    return "the slow file system needs root and /dev/fuse";
  }
  return nullptr;
}
