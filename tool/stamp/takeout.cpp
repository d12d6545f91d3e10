#include "names/quoting.hpp"
#include "platform/beside.hpp"
#include "platform/local_zone.hpp"
#include "stamp/walk.hpp"
#include "takeout/sidecar_decision.hpp"

namespace {

stamp_decision refusal(std::string why) {
  return {std::nullopt, cannot_read, std::move(why), std::nullopt, zone_basis::sidecar};
}

// The sidecar's path as the user sees it: the media file's folder, and
// its name.
void sidecar_path(const stamp_job& job, std::string_view media_name, const std::string& name,
                  std::string& path) {
  path.assign(job.path, 0, job.path.size() - media_name.size()).append(name);
}

}  // namespace

void decide_from_sidecar(walk_state& state, stamp_job& job, std::string_view media_name,
                         std::optional<std::string_view> date_text) {
  sidecar_search& search = state.sidecars;
  job.source.clear();
  std::optional<stamp_decision> of_another;
  const std::size_t count = sidecar_candidates(media_name, search.candidates);
  for (std::size_t i = 0; i < count; ++i) {
    const sidecar_candidate& candidate = search.candidates[i];
    std::size_t length = 0;
    const int error = read_beside(file_of(job), candidate.name, search.reader, length);
    if (is_missing(error)) continue;
    sidecar_path(job, media_name, candidate.name, search.path);
    if (error != 0) {
      job.decision =
          refusal("cannot read its sidecar " + in_quotes(search.path) + ": " + error_text(error));
      return;
    }
    const sidecar_reading reading = read_sidecar({search.reader.buffer.data(), length});
    if (reading.fault == sidecar_fault::none && reading.title &&
        !title_names(*reading.title, candidate.title)) {
      // Another file's sidecar, by a clipped name: never used.
      if (!of_another) {
        of_another = refusal("its sidecar " + in_quotes(search.path) + " describes another file, " +
                             in_quotes(*reading.title));
      }
      continue;
    }
    job.decision = sidecar_decision(reading, search.path, state.rule);
    job.source.assign(search.path);
    return;
  }
  if (of_another) {
    job.decision = std::move(*of_another);
    return;
  }
  job.decision = decide_time(date_text, state.rule, local_utc_offset);
  if (!job.decision.time && job.decision.what == cannot_read) {
    job.decision.why.insert(0, "no sidecar, and ");
  }
}
