// A test seam, preloaded into the tool: the file named in VELMORA_VANISH is
// removed just before its time is set, as if another program had removed
// it between the listing and the stamping.

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

extern "C" int utimensat(int dirfd, const char* path, const struct timespec times[2], int flags) {
  using real_fn = int (*)(int, const char*, const struct timespec*, int);
  static const auto real = reinterpret_cast<real_fn>(dlsym(RTLD_NEXT, "utimensat"));
  const char* victim = std::getenv("VELMORA_VANISH");
  if (victim != nullptr && std::strcmp(path, victim) == 0) {
    unlinkat(dirfd, path, 0);
  }
  return real(dirfd, path, times, flags);
}
