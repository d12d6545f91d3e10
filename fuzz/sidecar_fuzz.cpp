// Fuzzes what --takeout reads from untrusted bytes: a sidecar's text, and
// the media name its candidate sidecar names are made from. Input: a byte
// that says which, then the bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "takeout/sidecar_decision.hpp"
#include "takeout/sidecar_names.hpp"

namespace {

void fuzz_reading(std::string_view text) {
  const sidecar_reading reading = read_sidecar(text);
  const stamp_decision d = sidecar_decision(reading, "'s.json'", {});
  // A time is set exactly when the sidecar gave one that a file can hold.
  if (d.time.has_value() && reading.fault != sidecar_fault::none) std::abort();
  if (d.time && d.time->tick - unix_epoch != std::chrono::seconds{reading.taken}) std::abort();
  if (!d.time && d.why.empty()) std::abort();
}

void fuzz_names(std::string_view media) {
  static std::vector<sidecar_candidate> candidates;
  const std::size_t count = sidecar_candidates(media, candidates);
  if (count == 0 || count > candidates.size()) std::abort();
  for (std::size_t i = 0; i < count; ++i) {
    const sidecar_candidate& c = candidates[i];
    // Every candidate is its title's sidecar: the title, perhaps with the
    // newer form's suffix, cut short, then perhaps a number, then ".json";
    // a duplicate's number may stand in the title too, so at most twice.
    if (!c.name.ends_with(".json") || c.name.size() > 2 * media.size() + 64) std::abort();
    std::string_view base(c.name.data(), c.name.size() - 5);
    if (base.ends_with(')')) {
      const std::size_t open = base.rfind('(');
      if (open != std::string_view::npos) base = base.substr(0, open);
    }
    // A sidecar named after the stem alone has the stem in the title's place.
    const std::string titled = c.stem_length > 0 ? c.title.substr(0, c.stem_length) : c.title;
    if (!(titled + ".supplemental-metadata").starts_with(base)) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  if (data[0] & 1) {
    fuzz_names(rest);
  } else {
    fuzz_reading(rest);
  }
  return 0;
}
