// A slow file system for the benchmark and the tests: a FUSE passthrough
// of a backing folder that waits a set time in every call, as a network
// share or a cloud drive does on each round trip.
//
//   slowfs BACKING MOUNTPOINT [FUSE options]   (SLOWFS_DELAY_US, default 1000)
//
// With SLOWFS_MILLISECONDS set, it keeps times to the millisecond, as
// several FUSE file systems do; with SLOWFS_NO_NUMBERS, it gives every
// entry the same unknown number, as sshfs does.
//
// Unmount with fusermount3 -u MOUNTPOINT.

#define FUSE_USE_VERSION 31
#define _GNU_SOURCE

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <fuse.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <time.h>
#include <unistd.h>

static char backing[PATH_MAX];
static long delay_us = 1000;
static int keep_milliseconds = 0;  // SLOWFS_MILLISECONDS: times are kept to the millisecond

static void wait_a_round_trip(void) {
  const struct timespec t = {delay_us / 1000000, (delay_us % 1000000) * 1000};
  nanosleep(&t, NULL);
}

static void real_path(char out[PATH_MAX], const char* path) {
  snprintf(out, PATH_MAX, "%s%s", backing, path);
}

static int slow_getattr(const char* path, struct stat* st, struct fuse_file_info* fi) {
  (void)fi;
  char p[PATH_MAX];
  real_path(p, path);
  wait_a_round_trip();
  return lstat(p, st) == 0 ? 0 : -errno;
}

static int slow_readdir(const char* path, void* buffer, fuse_fill_dir_t fill, off_t offset,
                        struct fuse_file_info* fi, enum fuse_readdir_flags flags) {
  (void)offset, (void)fi, (void)flags;
  char p[PATH_MAX];
  real_path(p, path);
  wait_a_round_trip();
  DIR* d = opendir(p);
  if (d == NULL) return -errno;
  // Each entry comes with its attributes, in the one round trip, as NFS's
  // READDIRPLUS and SMB's directory queries give them.
  for (struct dirent* e; (e = readdir(d)) != NULL;) {
    struct stat st = {0};
    // Without numbers, entries come as sshfs gives them: names and kinds.
    const int plus = getenv("SLOWFS_NO_NUMBERS") == NULL &&
                     fstatat(dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0;
    if (!plus) {
      st.st_ino = e->d_ino;
      st.st_mode = (mode_t)DTTOIF(e->d_type);
    }
    if (fill(buffer, e->d_name, &st, 0, plus ? FUSE_FILL_DIR_PLUS : 0) != 0) break;
  }
  closedir(d);
  return 0;
}

static int slow_utimens(const char* path, const struct timespec times[2],
                        struct fuse_file_info* fi) {
  (void)fi;
  char p[PATH_MAX];
  real_path(p, path);
  wait_a_round_trip();
  if (!keep_milliseconds)
    return utimensat(AT_FDCWD, p, times, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : -errno;
  // As a file system that keeps milliseconds, cut down.
  struct timespec kept[2] = {times[0], times[1]};
  for (int i = 0; i < 2; ++i) {
    if (kept[i].tv_nsec != UTIME_NOW && kept[i].tv_nsec != UTIME_OMIT) {
      kept[i].tv_nsec -= kept[i].tv_nsec % 1000000;
    }
  }
  return utimensat(AT_FDCWD, p, kept, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : -errno;
}

static int slow_statfs(const char* path, struct statvfs* st) {
  char p[PATH_MAX];
  real_path(p, path);
  wait_a_round_trip();
  return statvfs(p, st) == 0 ? 0 : -errno;
}

static int slow_open(const char* path, struct fuse_file_info* fi) {
  char p[PATH_MAX];
  real_path(p, path);
  wait_a_round_trip();
  const int fd = open(p, fi->flags);
  if (fd < 0) return -errno;
  fi->fh = (uint64_t)fd;
  return 0;
}

static int slow_read(const char* path, char* buffer, size_t size, off_t offset,
                     struct fuse_file_info* fi) {
  (void)path;
  wait_a_round_trip();
  const ssize_t n = pread((int)fi->fh, buffer, size, offset);
  return n < 0 ? -errno : (int)n;
}

static int slow_release(const char* path, struct fuse_file_info* fi) {
  (void)path;
  close((int)fi->fh);
  return 0;
}

// Lookups in one folder may run side by side, as on a network file system.
// As a network client does, the kernel keeps what a listing told it for a
// while, so that a file just listed needs no lookup of its own. Files
// keep their backing numbers, as NFS reports a file's id, so that two
// names of one file can be told; with SLOWFS_NO_NUMBERS set, every entry
// has the same unknown number, as on sshfs.
static void* slow_init(struct fuse_conn_info* conn, struct fuse_config* config) {
  if (conn->capable & FUSE_CAP_PARALLEL_DIROPS) conn->want |= FUSE_CAP_PARALLEL_DIROPS;
  config->entry_timeout = 30;
  config->attr_timeout = 30;
  config->use_ino = getenv("SLOWFS_NO_NUMBERS") == NULL;
  return NULL;
}

static const struct fuse_operations operations = {
    .init = slow_init,
    .getattr = slow_getattr,
    .readdir = slow_readdir,
    .utimens = slow_utimens,
    .statfs = slow_statfs,
    .open = slow_open,
    .read = slow_read,
    .release = slow_release,
};

int main(int argc, char** argv) {
  if (argc < 3 || realpath(argv[1], backing) == NULL) {
    fprintf(stderr, "usage: slowfs BACKING MOUNTPOINT [FUSE options]\n");
    return 2;
  }
  const char* delay = getenv("SLOWFS_DELAY_US");
  if (delay != NULL) delay_us = atol(delay);
  keep_milliseconds = getenv("SLOWFS_MILLISECONDS") != NULL;
  argv[1] = argv[0];  // FUSE takes the rest: the mount point and its options
  return fuse_main(argc - 1, argv + 1, &operations, NULL);
}
