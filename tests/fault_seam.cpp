// A test seam, preloaded into the tool, that makes the faults a real file
// system makes only now and then:
// - VELMORA_VANISH=NAME: that file is removed just before its time is set,
//   as if another program had removed it between the listing and the stamping;
// - VELMORA_UNKNOWN_KINDS=1: the listing reports no entry's kind (DT_UNKNOWN),
//   as some file systems do;
// - VELMORA_FAIL_LISTING_AFTER=N: reading a folder fails with EIO after N
//   entries in all;
// - VELMORA_FAIL_SYNC_AFTER=N: syncing a file to disk fails with EIO after
//   N syncs, as a journal on a failing disk would;
// - VELMORA_WRITE_LIMIT=N: the files the tool opens (descriptors above 2)
//   take N bytes in all: the write that would pass it writes what fits and
//   returns that, and the next fails with ENOSPC, as a disk that fills up;
// - VELMORA_UNREADABLE=NAME: looking that file up fails with ENOENT, as if
//   it had been renamed between the listing and the read of its time.

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

extern "C" ssize_t write(int fd, const void* data, size_t size) {
  using real_fn = ssize_t (*)(int, const void*, size_t);
  static const auto real = reinterpret_cast<real_fn>(dlsym(RTLD_NEXT, "write"));
  static long written = 0;
  const char* limit = std::getenv("VELMORA_WRITE_LIMIT");
  if (fd > 2 && limit != nullptr) {
    const long room = std::atol(limit) - written;
    if (room <= 0) {
      errno = ENOSPC;
      return -1;
    }
    if (static_cast<long>(size) > room) size = static_cast<size_t>(room);
    const ssize_t n = real(fd, data, size);
    if (n > 0) written += n;
    return n;
  }
  return real(fd, data, size);
}

namespace {

// fstatat and fstatat64 alike: the victim's look-up fails.
template <typename stat_record>
int looked_up(const char* name, int dirfd, const char* path, stat_record* st, int flags) {
  using real_fn = int (*)(int, const char*, stat_record*, int);
  const auto real = reinterpret_cast<real_fn>(dlsym(RTLD_NEXT, name));
  const char* victim = std::getenv("VELMORA_UNREADABLE");
  if (victim != nullptr && std::strcmp(path, victim) == 0) {
    errno = ENOENT;
    return -1;
  }
  return real(dirfd, path, st, flags);
}

}  // namespace

extern "C" int fstatat(int dirfd, const char* path, struct stat* st, int flags) {
  return looked_up("fstatat", dirfd, path, st, flags);
}

extern "C" int fstatat64(int dirfd, const char* path, struct stat64* st, int flags) {
  return looked_up("fstatat64", dirfd, path, st, flags);
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
