/* The floor the benchmark measures velmora against: the least a program
   can do for the same result. It lists the current folder, reads each
   name's date with sscanf, sets the time with one utimensat, and writes
   and flushes the same line per file. With the argument "buffered" it
   leaves the lines to stdio's buffer: the floor of a program that need
   not say each file before it is stamped. No checks beyond what keeps it
   correct on the benchmark's own files. */
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <time.h>

#include <string.h>

int main(int argc, char** argv) {
  const int buffered = argc > 1 && strcmp(argv[1], "buffered") == 0;
  DIR* dir = opendir(".");
  if (dir == NULL) return 1;
  const int fd = dirfd(dir);
  struct dirent* d;
  while ((d = readdir(dir)) != NULL) {
    if (d->d_name[0] == '.') continue;
    printf("Setting timestamp:\t./%s\n", d->d_name);
    if (!buffered) fflush(stdout);
    struct tm t = {0};
    if (sscanf(d->d_name, "%d-%d-%d %d.%d", &t.tm_year, &t.tm_mon, &t.tm_mday, &t.tm_hour,
               &t.tm_min) != 5) {
      continue;
    }
    t.tm_year -= 1900;
    t.tm_mon -= 1;
    const struct timespec times[2] = {{0, UTIME_OMIT}, {timegm(&t), 0}};
    utimensat(fd, d->d_name, times, 0);
  }
  closedir(dir);
  return 0;
}
