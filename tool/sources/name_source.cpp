#include "sources/name_source.hpp"

namespace {

says ask_name(const source_file& file, const source_context& context, fetch_space&,
              source_answer& answer) {
  stamp_decision& d = answer.decision;
  d = decide_time(file.date_text, context.rule, context.local_offset);
  if (d.time) return says::time;
  return d.refused == refusal::no_date ? says::nothing : says::fault;
}

}  // namespace

const time_source name_source = {"name", "no date in its name", ask_name};
