#include "run/progress.hpp"

#include <cstdio>
#include <string>

#include "names/quoting.hpp"

namespace {

constexpr auto redraw_every = std::chrono::milliseconds{200};

}  // namespace

progress start_progress(const run_output& output, bool quiet) {
  progress p;
  p.output = &output;
  p.shown = !quiet && output.err_is_terminal && !output.out_is_terminal;
  p.started = p.drawn = std::chrono::steady_clock::now();
  return p;
}

void count_file(progress& p, std::string_view path) {
  ++p.done;
  if (!p.shown || p.done % 64 != 0) return;  // the clock is read once in 64 files
  const auto now = std::chrono::steady_clock::now();
  if (now - p.drawn < redraw_every) return;
  p.drawn = now;
  const double seconds = std::chrono::duration<double>(now - p.started).count();
  char counts[64];
  std::snprintf(counts, sizeof counts, "%lld files, %.0f/s, in ", static_cast<long long>(p.done),
                seconds > 0 ? p.done / seconds : 0.0);
  std::string quoted;
  const std::string_view folder = path.substr(0, path.rfind('/'));
  std::string line = "velmora: " + std::string(counts) + std::string(shown_path(folder, quoted));
  p.output->progress(line);
}

void end_progress(progress& p) {
  if (p.shown) p.output->progress({});
}
