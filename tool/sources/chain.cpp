#include "sources/chain.hpp"

#include "sources/exif_source.hpp"
#include "sources/name_source.hpp"
#include "sources/sidecar_source.hpp"

time_chain chain_for(bool takeout, bool exif) {
  time_chain chain;
  if (takeout) chain.push_back(&sidecar_source);
  if (exif) chain.push_back(&exif_source);
  chain.push_back(&name_source);
  return chain;
}

says answer_fault(source_answer& answer, std::string why, std::string where) {
  answer.decision = {std::nullopt, refusal::no_date, std::move(why), std::nullopt,
                     zone_basis::utc_by_default};
  answer.where = std::move(where);
  return says::fault;
}

bool owned_by_sources(const time_chain& chain, std::string_view extension) {
  for (const time_source* source : chain) {
    if (source->owns != nullptr && source->owns(extension)) return true;
  }
  return false;
}

const time_source* ask_sources(const time_chain& chain, const source_file& file,
                               const source_context& context, fetch_space& space,
                               source_answer& answer) {
  std::string before;  // where no time was found: "no sidecar, and "
  for (std::size_t i = 0;; ++i) {
    answer.where.clear();
    answer.decision.why.clear();
    const says what = chain[i]->ask(file, context, space, answer);
    if (what != says::nothing || i + 1 == chain.size()) {
      if (answer.decision.refused == refusal::no_date) answer.decision.why.insert(0, before);
      return chain[i];
    }
    const std::string& why = answer.decision.why;
    before.append(why.empty() ? chain[i]->nothing : std::string_view(why)).append(", and ");
  }
}
