// A test seam, preloaded into the tool, that makes the faults a real file
// system makes only now and then:
// - VELMORA_VANISH=NAME: that file is removed just before its time is set,
//   as if another program had removed it between the listing and the stamping;
// - VELMORA_UNKNOWN_KINDS=1: the listing reports no entry's kind (DT_UNKNOWN),
//   as some file systems do;
// - VELMORA_FAIL_LISTING_AFTER=N: reading a folder fails with EIO after N
//   entries in all;
// - VELMORA_FAIL_SYNC_AFTER=N: syncing a file to disk fails with EIO after
//   N syncs, as a journal on a failing disk would.

// Both readdir and readdir64 are wrapped, so the seam itself must see them
// as the two functions they are.
#undef _FILE_OFFSET_BITS
#undef _TIME_BITS

#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

template <typename entry>
entry* faulty(entry* e) {
  static long handed_out = 0;
  const char* fail_after = std::getenv("VELMORA_FAIL_LISTING_AFTER");
  if (e != nullptr && fail_after != nullptr && handed_out++ >= std::atol(fail_after)) {
    errno = EIO;
    return nullptr;
  }
  if (e != nullptr && std::getenv("VELMORA_UNKNOWN_KINDS") != nullptr) e->d_type = DT_UNKNOWN;
  return e;
}

}  // namespace

extern "C" struct dirent* readdir(DIR* stream) {
  using real_fn = struct dirent* (*)(DIR*);
  static const auto real = reinterpret_cast<real_fn>(dlsym(RTLD_NEXT, "readdir"));
  return faulty(real(stream));
}

extern "C" struct dirent64* readdir64(DIR* stream) {
  using real_fn = struct dirent64* (*)(DIR*);
  static const auto real = reinterpret_cast<real_fn>(dlsym(RTLD_NEXT, "readdir64"));
  return faulty(real(stream));
}

extern "C" int utimensat(int dirfd, const char* path, const struct timespec times[2], int flags) {
  using real_fn = int (*)(int, const char*, const struct timespec*, int);
  static const auto real = reinterpret_cast<real_fn>(dlsym(RTLD_NEXT, "utimensat"));
  const char* victim = std::getenv("VELMORA_VANISH");
  if (victim != nullptr && std::strcmp(path, victim) == 0) {
    unlinkat(dirfd, path, 0);
  }
  return real(dirfd, path, times, flags);
}

extern "C" int fdatasync(int fd) {
  using real_fn = int (*)(int);
  static const auto real = reinterpret_cast<real_fn>(dlsym(RTLD_NEXT, "fdatasync"));
  static long synced = 0;
  const char* fail_after = std::getenv("VELMORA_FAIL_SYNC_AFTER");
  if (fail_after != nullptr && synced++ >= std::atol(fail_after)) {
    errno = EIO;
    return -1;
  }
  return real(fd);
}
