#include "run/run.hpp"

#include <cerrno>
#include <chrono>

#include "run/hand_out.hpp"
#include "run/report.hpp"
#include "run/report_end.hpp"
#include "run/report_run.hpp"
#include "run/run_state.hpp"
#include "run/subfolder.hpp"
#include "run/tasks.hpp"
#include "run/walk.hpp"

namespace {

void start_pipeline(run_state& run, const task_context& context) {
  stamp_pipeline& pipeline = run.hand.pipeline;
  pipeline.task = [&context](stamp_job& job, fetch_space& space) { do_task(job, context, space); };
  pipeline.let_go = [&system = run.system](fetch_space& space) {
    system.done_beside(space.reader);
  };
  run.hand.preparer.task = pipeline.task;
  run.hand.preparer.let_go = pipeline.let_go;
  // A dry run sets no times: it needs no workers.
  const int wanted = run.plan.dry_run ? 1 : run.plan.jobs;
  if (wanted <= 1) return;
  std::string why;
  const int started = start_workers(pipeline, wanted, why);
  if (started < wanted && run.plan.verbose) say_workers(run, started, wanted, why);
}

}  // namespace

int run_tree(const run_plan& plan, const system_calls& system, const run_output& output,
             run_journal* journal) {
  const auto started = std::chrono::steady_clock::now();
  for (const std::string& note : plan.notes) say(output, note);
  // The context outlives the run's workers, which are joined as run ends.
  const task_context context{plan, system, journal != nullptr && !plan.dry_run};
  run_state run{plan, system, output, {}, {}, {}};
  run.walk.clues.matched.assign(plan.selection.words.size(), 0);
  run.hand.journal = context.journaled ? journal : nullptr;
  run.end.tally.dry_run = plan.dry_run;
  start_pipeline(run, context);
  folder_handle* top = system.open_folder(".");
  if (top == nullptr) {
    say_folder_fault(run, "cannot list ", errno);
    return 1;
  }
  run.end.shown = start_progress(output, plan.quiet);
  run.walk.device = device_at(system, nullptr, ".", ".");
  run.walk.listing_ahead = std::make_unique<listers>();
  walk(run, top);
  system.close_folder(top);
  end_progress(run.end.shown);
  say_end(run, started);
  if (run.end.interrupted) return 130;  // as a shell says of an interrupted command
  return run.end.failed ? 1 : 0;
}
