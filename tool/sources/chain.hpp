// Where a file's time comes from: its time sources, asked in a fixed
// order until one answers. A source fetches what it reads through the
// system (on the thread that stamps the file, a worker with --jobs), then
// reads it with a pure reader: a time, no time here (ask the next), or a
// fault to report, which ends the asking. Adding a source is its record
// here, its reader, and its place in chain_for.
//
// Errors: a source never fails as a call; what it could not read is its
// answer (a refusal in the decision, with a phrase that says why).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "decide/decision.hpp"
#include "system/system.hpp"
#include "takeout/sidecar_names.hpp"

// A selected file as its sources see it.
struct source_file {
  file_ref ref;           // to fetch through
  std::string_view name;  // its name
  std::string_view path;  // as the user sees it: "./" and the path from the run's folder
  std::optional<std::string_view> date_text;  // what the cuts leave of its stem; none: nothing
  // Whether its folder holds any file a source owns (a sidecar): where it
  // holds none, no source looks for one, which on a share saves a round
  // trip a name.
  bool owned_beside = true;
};

// What the asking knows of the run.
struct source_context {
  const time_rule& rule;
  utc_offset_fn local_offset;
  const system_calls& system;
};

// What one thread keeps for fetching, reused from file to file.
struct fetch_space {
  std::vector<sidecar_candidate> candidates;
  beside_reader reader;
};

enum class says { time, nothing, fault };

// What the sources say of a file: the time, or the refusal; and the file
// the time was read from (a sidecar), empty for the name.
struct source_answer {
  stamp_decision decision;
  std::string where;
};

struct time_source {
  std::string_view name;  // "name", "sidecar": for --dry-run's last field
  // What no time here says before the next source's refusal, unless the
  // source's answer says it (a sidecar that gives no date).
  std::string_view nothing;
  // Fills answer (its decision for nothing and fault too: the refusal).
  says (*ask)(const source_file& file, const source_context& context, fetch_space& space,
              source_answer& answer);
  // Whether a file of this extension is the source's own (a sidecar):
  // never selected, never stamped. Null when it owns none.
  bool (*owns)(std::string_view extension) = nullptr;
};

using time_chain = std::vector<const time_source*>;

// Fills answer with a source's fault: the file is left alone, and why says
// it in a phrase; where names the file read (a sidecar), if any.
says answer_fault(source_answer& answer, std::string why, std::string where = {});

// The sources of a run, in the order they are asked: the Takeout sidecar
// with --takeout, the time inside the file with --exif, then the name.
time_chain chain_for(bool takeout, bool exif = false);

// Whether a file of this extension belongs to one of the sources.
bool owned_by_sources(const time_chain& chain, std::string_view extension);

// Asks the file's sources in order, into answer (reused from file to
// file); returns the source that answered, the last one asked.
const time_source* ask_sources(const time_chain& chain, const source_file& file,
                               const source_context& context, fetch_space& space,
                               source_answer& answer);
