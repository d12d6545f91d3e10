// The benchmark's slow file system (bench/slowfs.c), mounted for one test.
#pragma once

#include <string>
#include <vector>

struct slow_mount {
  std::string point;
  int pid = -1;
  // settings: SLOWFS_* variables, "NAME=value"; the delay is 1 ms unless
  // one of them sets it.
  slow_mount(const std::string& backing, const std::string& mount_point,
             const std::vector<std::string>& settings = {});
  // numbered false: every entry has the same unknown number, as on sshfs.
  slow_mount(const std::string& backing, const std::string& mount_point, bool numbered);
  slow_mount(const slow_mount&) = delete;
  slow_mount& operator=(const slow_mount&) = delete;
  ~slow_mount();
  bool mounted() const;
  // Why the slow file system cannot be mounted here, or null.
  static const char* missing();
};
