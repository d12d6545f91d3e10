// What is done to a job, on whichever thread does it: prepared (its time
// asked of its sources, and with a journal its old time read) and set (or,
// in a dry run, checked, and its time now read). Touches nothing but the
// job and the file: safe on any thread.
#pragma once

#include "run/job.hpp"
#include "run/plan.hpp"

struct task_context {
  const run_plan& plan;
  const system_calls& system;
  bool journaled = false;
};

void do_task(stamp_job& job, const task_context& context, fetch_space& space);
