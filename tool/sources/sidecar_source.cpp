#include "sources/sidecar_source.hpp"

#include "names/quoting.hpp"
#include "takeout/normal_form.hpp"
#include "takeout/sidecar_decision.hpp"
#include "takeout/sidecar_titles.hpp"

namespace {

std::string why_unread(const source_context& context, int error) {
  if (error == context.system.not_regular_error) return "it is not a regular file";
  return context.system.error_text(error);
}

// What the candidates found so far say.
struct findings {
  std::optional<source_answer> of_another;  // a sidecar of another file, passed over
  std::optional<source_answer> no_date;     // a sidecar that gives no date
  std::vector<source_answer> stills;        // of each still whose sidecar gives a time, or a fault
  int last_still = 0;                       // the last still whose sidecar was found
};

enum class found_as { none, time, fault, no_date };

// What the stills' sidecars say together: the time they agree on, the
// fault of the first that has one, or that they disagree, naming two.
says stills_say(const findings& found, source_answer& answer) {
  const source_answer& first = found.stills.front();
  for (const source_answer& still : found.stills) {
    if (!still.decision.time) {
      answer = still;
      return says::fault;
    }
  }
  for (const source_answer& still : found.stills) {
    if (*still.decision.time != *first.decision.time) {
      return answer_fault(answer,
                          "the sidecars of its stills disagree: " + in_quotes(first.where) +
                              " gives " + format_utc(*first.decision.time) + ", " +
                              in_quotes(still.where) + " gives " + format_utc(*still.decision.time),
                          first.where);
    }
  }
  answer = first;
  return says::time;
}

// Reads the candidate's sidecar where the file's folder holds it under
// name, into here.
found_as look_up(const source_file& file, const source_context& context, fetch_space& space,
                 const sidecar_candidate& candidate, const std::string& name, findings& found,
                 source_answer& here) {
  std::size_t length = 0;
  const int error = context.system.read_beside(file.ref, name, space.reader, length);
  if (context.system.missing(error)) return found_as::none;
  std::string path(file.path.substr(0, file.path.size() - file.name.size()));
  path.append(name);
  if (error != 0) {
    answer_fault(here,
                 "cannot read its sidecar " + in_quotes(path) + ": " + why_unread(context, error),
                 path);
    return found_as::fault;
  }
  const sidecar_reading reading = read_sidecar({space.reader.buffer.data(), length});
  const bool read = reading.fault == sidecar_fault::none || reading.fault == sidecar_fault::no_date;
  if (read && reading.title && !title_names(*reading.title, candidate)) {
    if (!found.of_another) {
      found.of_another.emplace();
      answer_fault(*found.of_another,
                   "its sidecar " + in_quotes(path) + " describes another file, " +
                       in_quotes(*reading.title),
                   path);
    }
    return found_as::none;
  }
  here.decision = sidecar_decision(reading, path, context.rule);
  here.where = std::move(path);
  if (reading.fault == sidecar_fault::no_date) return found_as::no_date;
  return here.decision.time ? found_as::time : found_as::fault;
}

// The first candidate that exists and describes this file is its sidecar.
// One that describes another file (a long name cut to the same sidecar
// name) is passed over; if no other is the file's own, the file is left
// alone rather than read by its name. A motion photo's video without a
// sidecar of its own asks each of its stills', which must agree. A sidecar
// that gives no date sends the file on to its name.
says ask_sidecar(const source_file& file, const source_context& context, fetch_space& space,
                 source_answer& answer) {
  if (!file.owned_beside) return says::nothing;  // the folder holds no sidecar
  // Names match in the composed form. A name beyond ASCII looks for its
  // sidecar in its own form first (decomposed, where it was unpacked on
  // macOS), then in the other.
  std::string composed_name;
  std::string_view name = file.name;
  const bool beyond_ascii = !all_ascii(name);
  if (beyond_ascii) {
    composed_name = composed(name);
    name = composed_name;
  }
  const bool decomposed_name = name != file.name;
  findings found;
  source_answer here;
  const std::size_t count = sidecar_candidates(name, space.candidates);
  for (std::size_t i = 0; i < count; ++i) {
    const sidecar_candidate& candidate = space.candidates[i];
    if (candidate.still != 0 && candidate.still == found.last_still) continue;
    const std::string apart = beyond_ascii ? decomposed(candidate.name) : std::string();
    const std::string& first = decomposed_name ? apart : candidate.name;
    const std::string& second = decomposed_name ? candidate.name : apart;
    found_as what = look_up(file, context, space, candidate, first, found, here);
    if (what == found_as::none && beyond_ascii && apart != candidate.name) {
      what = look_up(file, context, space, candidate, second, found, here);
    }
    if (what == found_as::none) continue;
    if (candidate.still == 0) {  // the file's own, which decides
      if (what == found_as::no_date) {
        found.no_date = std::move(here);
        break;
      }
      answer = std::move(here);
      return what == found_as::time ? says::time : says::fault;
    }
    found.last_still = candidate.still;
    if (what == found_as::no_date) {
      if (!found.no_date) found.no_date = std::move(here);
    } else {
      found.stills.push_back(std::move(here));
    }
  }
  if (!found.stills.empty()) return stills_say(found, answer);
  if (found.no_date) {
    answer = std::move(*found.no_date);
    answer.where.clear();  // the time, if any, comes from the name
    return says::nothing;
  }
  if (found.of_another) {
    answer = std::move(*found.of_another);
    return says::fault;
  }
  return says::nothing;
}

}  // namespace

const time_source sidecar_source = {"sidecar", "no sidecar", ask_sidecar, is_takeout_json};
