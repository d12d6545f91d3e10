// Whole runs in memory with one worker and with many: for the tests of
// what workers must never change.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "run/in_memory_run.hpp"

// The same run with one worker and with many, on the file system given:
// the same lines, status and times.
inline void expect_any_jobs_alike(const std::function<void(memory_system&)>& make,
                                  const std::vector<std::string_view>& words) {
  memory_system one;
  make(one);
  std::vector<std::string_view> with_jobs = words;
  with_jobs.insert(with_jobs.end(), {"--jobs", "1"});
  const memory_run single = run_in(one, with_jobs);
  ASSERT_NE(single.status, -1);
  for (const std::string_view jobs : {"2", "4", "16"}) {
    memory_system many;
    make(many);
    // Writes that take a while, as on a share: the walk hands files to
    // the workers rather than setting them itself.
    many.slow_writes = true;
    with_jobs.back() = jobs;
    const memory_run r = run_in(many, with_jobs);
    EXPECT_EQ(r.out, single.out) << jobs;
    EXPECT_EQ(r.err, single.err) << jobs;
    EXPECT_EQ(r.status, single.status) << jobs;
    EXPECT_EQ(times_in(many), times_in(one)) << jobs;
  }
}
