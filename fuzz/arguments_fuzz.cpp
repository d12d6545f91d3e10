// Fuzzes the command line reader, and the plan resolved from what it read.
// Input: arguments separated by NUL bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "app/resolve.hpp"
#include "cli/arguments.hpp"
#include "decide/tick_time.hpp"
#include "names/selection.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> arguments;
  for (std::size_t start = 0; start <= input.size();) {
    const std::size_t end = std::min(input.find('\0', start), input.size());
    arguments.push_back(input.substr(start, end - start));
    start = end + 1;
  }
  const parsed_command parsed = read_arguments(arguments);
  if (parsed.what != command::run) return 0;

  // What the rest of the run relies on.
  const typed_options& o = parsed.options;
  if (o.words.size() > arguments.size()) std::abort();
  if (o.front_cut < 0 || o.front_cut > INT32_MAX) std::abort();
  if (o.back_cut < INT32_MIN || o.back_cut > INT32_MAX) std::abort();
  // The hour shift word moves by whole hours, --shift by whole seconds;
  // with neither there is no shift.
  const ticks step =
      o.shift_text.empty() ? ticks{std::chrono::hours{1}} : ticks{std::chrono::seconds{1}};
  if (o.shift % step != ticks::zero()) std::abort();
  if (!o.shift_given && o.shift_text.empty() && o.shift != ticks::zero()) std::abort();
  for (const std::string& word : o.words)
    static_cast<void>(extension_selected(o.words, o.shift_given, word));
  run_plan plan;
  if (resolve_plan(o, plan_facts{}, plan)) return 0;
  if (plan.jobs < 1 || plan.jobs > 64 || plan.chain.empty()) std::abort();
  if (plan.rule.fixed_offset && std::chrono::abs(*plan.rule.fixed_offset) > std::chrono::hours{24})
    std::abort();
  return 0;
}
