#include "run/pipeline.hpp"

#include <gtest/gtest.h>

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

}  // namespace
