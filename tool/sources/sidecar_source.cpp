#include "sources/sidecar_source.hpp"

#include "names/quoting.hpp"
#include "takeout/sidecar_decision.hpp"
#include "takeout/sidecar_titles.hpp"

namespace {

says fault(source_answer& answer, std::string why, std::string where) {
  answer.decision = {std::nullopt, refusal::no_date, std::move(why), std::nullopt,
                     zone_basis::sidecar};
  answer.where = std::move(where);
  return says::fault;
}

std::string why_unread(const source_context& context, int error) {
  if (error == context.system.not_regular_error) return "it is not a regular file";
  return context.system.error_text(error);
}

// The first candidate that exists and describes this file is its sidecar.
// One that describes another file (a long name cut to the same sidecar
// name) is passed over; if no other is the file's own, the file is left
// alone rather than read by its name.
says ask_sidecar(const source_file& file, const source_context& context, fetch_space& space,
                 source_answer& answer) {
  const std::string_view folder = file.path.substr(0, file.path.size() - file.name.size());
  std::optional<source_answer> of_another;
  const std::size_t count = sidecar_candidates(file.name, space.candidates);
  for (std::size_t i = 0; i < count; ++i) {
    const sidecar_candidate& candidate = space.candidates[i];
    std::size_t length = 0;
    const int error = context.system.read_beside(file.ref, candidate.name, space.reader, length);
    if (context.system.missing(error)) continue;
    std::string path = std::string(folder) + candidate.name;
    if (error != 0) {
      return fault(answer,
                   "cannot read its sidecar " + in_quotes(path) + ": " + why_unread(context, error),
                   path);
    }
    const sidecar_reading reading = read_sidecar({space.reader.buffer.data(), length});
    if (reading.fault == sidecar_fault::none && reading.title &&
        !title_names(*reading.title, candidate.title)) {
      if (!of_another) {
        of_another.emplace();
        fault(*of_another,
              "its sidecar " + in_quotes(path) + " describes another file, " +
                  in_quotes(*reading.title),
              path);
      }
      continue;
    }
    answer.decision = sidecar_decision(reading, path, context.rule);
    answer.where = std::move(path);
    return answer.decision.time ? says::time : says::fault;
  }
  if (of_another) {
    answer = std::move(*of_another);
    return says::fault;
  }
  return says::nothing;
}

}  // namespace

const time_source sidecar_source = {"sidecar", "no sidecar", ask_sidecar, is_takeout_json};
