#include "sources/chain.hpp"

#include <gtest/gtest.h>

#include "names/selection.hpp"
#include "system/memory_system.hpp"

namespace {

// What the chain of a run with --takeout says of a file in the folder.
struct chain_answer {
  stamp_decision decision;
  std::string where;
  const time_source* source;
};

chain_answer ask(memory_system& fs, const std::string& name) {
  const system_calls system = calls_of(fs);
  const std::string path = "./" + name;
  const time_rule rule;
  fetch_space space;
  const source_file file{
      {nullptr, name.c_str(), kind_regular, path.c_str()}, name, path, split_name(name)->stem};
  source_answer answer;
  const time_source* source =
      ask_sources(chain_for(true), file, {rule, nullptr, system}, space, answer);
  return {std::move(answer.decision), std::move(answer.where), source};
}

TEST(Chain, TheSidecarFirstThenTheName) {
  memory_system fs;
  add_file(fs, "IMG_1.jpg", {});
  add_file(fs, "IMG_1.jpg.json", {},
           R"({"title":"IMG_1.jpg","photoTakenTime":{"timestamp":"1258375918"}})");
  const chain_answer sidecar = ask(fs, "IMG_1.jpg");
  ASSERT_TRUE(sidecar.decision.time);
  EXPECT_EQ(format_utc(*sidecar.decision.time), "2009-11-16 12:51:58 UTC");
  EXPECT_EQ(sidecar.source->name, "sidecar");
  EXPECT_EQ(sidecar.where, "./IMG_1.jpg.json");

  add_file(fs, "2010-09-10 13.40.jpg", {});
  const chain_answer name = ask(fs, "2010-09-10 13.40.jpg");
  ASSERT_TRUE(name.decision.time);
  EXPECT_EQ(name.source->name, "name");
  EXPECT_EQ(name.where, "");

  add_file(fs, "DSC_1.jpg", {});
  const chain_answer neither = ask(fs, "DSC_1.jpg");
  EXPECT_FALSE(neither.decision.time);
  EXPECT_EQ(neither.decision.refused, refusal::no_date);
  EXPECT_EQ(neither.decision.why,
            "no sidecar, and no date in the form 'year-month-day hour.minute'");
}

TEST(Chain, ASidecarThatCannotBeUsedIsAFaultNeverAGuess) {
  memory_system fs;
  add_file(fs, "2010-09-10 13.40.jpg", {});
  add_file(fs, "2010-09-10 13.40.jpg.json", {}, "{");
  const chain_answer broken = ask(fs, "2010-09-10 13.40.jpg");
  EXPECT_FALSE(broken.decision.time);  // not read by its name, which has a date
  EXPECT_EQ(broken.decision.why, "its sidecar './2010-09-10 13.40.jpg.json' is not a JSON object");

  add_file(fs, "IMG_2.jpg", {});
  add_file(fs, "IMG_2.jpg.json", {}, R"({"title":"IMG_7.jpg","photoTakenTime":{"timestamp":"1"}})");
  EXPECT_EQ(ask(fs, "IMG_2.jpg").decision.why,
            "its sidecar './IMG_2.jpg.json' describes another file, 'IMG_7.jpg'");

  fs.fault = [](const std::string& call, const std::string&) {
    return call == "beside" ? EACCES : 0;
  };
  EXPECT_EQ(ask(fs, "IMG_2.jpg").decision.why,
            "cannot read its sidecar './IMG_2.jpg.supplemental-metadata.json': Permission denied");
}

TEST(Chain, ASourcesOwnFilesAreNeverSelected) {
  EXPECT_TRUE(owned_by_sources(chain_for(true), "json"));
  EXPECT_TRUE(owned_by_sources(chain_for(true), "JSON"));
  EXPECT_FALSE(owned_by_sources(chain_for(false), "json"));
  EXPECT_FALSE(owned_by_sources(chain_for(true), "jpg"));
}

}  // namespace
