#include "run/pipeline.hpp"

#include <gtest/gtest.h>

#include <chrono>

namespace {

stamp_job job_of_kind(int kind, unsigned long long number) {
  stamp_job job;
  job.kind = kind;
  job.file_number = number;
  return job;
}

// Jobs taken back may be swapped out of their places (a journal's batch
// takes its prepared jobs back so): what the pipeline knows of the jobs on
// their way must not depend on what is left in a place.
TEST(Pipeline, WhatIsOnItsWayIsKeptByPlace) {
  for (const int workers : {0, 2}) {
    stamp_pipeline p;
    p.task = [](stamp_job& job, fetch_space&) { job.fate = job_fate::set_tried; };
    p.let_go = [](fetch_space&) {};
    std::string why;
    if (workers > 0) {
      ASSERT_EQ(start_workers(p, workers, why), workers);
    }
    std::vector<stamp_job> batch;
    for (int i = 0; i < 40; ++i)
      batch.push_back(job_of_kind(i % 3 ? kind_regular : kind_link, 100 + i));
    for (int i = 0; i < 40; ++i) {
      if (may_share_file(p, batch[i]) || pipeline_full(p)) {
        while (stamp_job* done = finished_job(p, true)) {
          stamp_job regular = job_of_kind(kind_regular, 0);
          std::swap(*done, regular);  // taken back into its batch place
          pop_job(p);
        }
      }
      push_job(p, batch[i]);
    }
    while (finished_job(p, true) != nullptr) pop_job(p);
    EXPECT_EQ(p.links_on_the_way, 0u) << workers;
    EXPECT_FALSE(may_share_file(p, job_of_kind(kind_regular, 7))) << workers;
  }
}

// Where each task is a round trip (a share), a small folder's files are
// set by as many workers at once, not one after another by the first
// worker woken: here every task waits until all are under way.
TEST(Pipeline, SlowTasksAreSharedAmongTheWorkers) {
  constexpr int jobs = 6;
  stamp_pipeline p;
  std::mutex lock;
  std::condition_variable met;
  int under_way = 0;
  int together = 0;
  p.task = [&](stamp_job&, fetch_space&) {
    std::unique_lock hold(lock);
    ++under_way;
    met.notify_all();
    if (met.wait_for(hold, std::chrono::milliseconds{500}, [&] { return under_way == jobs; })) {
      ++together;
    }
  };
  p.let_go = [](fetch_space&) {};
  std::string why;
  ASSERT_EQ(start_workers(p, jobs, why), jobs);
  fit_chunk(p, true);
  std::vector<stamp_job> folder(jobs);
  for (stamp_job& job : folder) push_job(p, job);
  {  // before the walk waits for any: it goes on into the next folder
    std::unique_lock hold(lock);
    EXPECT_TRUE(met.wait_for(hold, std::chrono::seconds{2}, [&] { return under_way == jobs; }));
  }
  while (finished_job(p, true) != nullptr) pop_job(p);
  EXPECT_EQ(together, jobs);
}

}  // namespace
