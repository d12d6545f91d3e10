// One file under two selected names (a hard link, a link to it, or both):
// when the names give different times, which one the file ends with would
// depend on the order they are listed in, so neither is set. Known from
// the look every journaled file gets before it is set; a name in an
// earlier batch, already set, is put back to its old time.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "run/job.hpp"

// The names of files with more than one name that the run has met.
struct name_book {
  struct first_name {
    std::string path;
    int kind = kind_regular;
    file_time time;
    file_time before;
    std::uint64_t batch = 0;  // the batch it came in
    std::size_t place = 0;    // its place there
    bool left_alone = false;
  };
  std::map<std::pair<unsigned long long, unsigned long long>, first_name> names;
  std::uint64_t batch = 0;  // the batch being checked
};

// A name of an earlier batch that was set, to be put back.
struct put_back {
  std::string path;
  int kind;
  file_time before;
  std::string other;
};

// Checks the prepared jobs of a batch (jobs[0, count)): each one that is
// one file with another name of another time is left alone, and so is the
// other; returns the other names, already set, to put back.
std::vector<put_back> check_names(name_book& book, std::vector<stamp_job>& jobs, std::size_t count);
