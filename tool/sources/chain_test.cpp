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

std::string sidecar_of(const std::string& title, const std::string& timestamp) {
  return R"({"title":")" + title + R"(","photoTakenTime":{"timestamp":")" + timestamp + R"("}})";
}

// "0" is Takeout's word for no date: the name is read, never 1970.
TEST(Chain, ASidecarWithNoDateSendsTheFileToItsName) {
  memory_system fs;
  add_file(fs, "2010-09-10 13.40.jpg", {});
  add_file(fs, "2010-09-10 13.40.jpg.json", {}, sidecar_of("2010-09-10 13.40.jpg", "0"));
  const chain_answer named = ask(fs, "2010-09-10 13.40.jpg");
  ASSERT_TRUE(named.decision.time);
  EXPECT_EQ(format_utc(*named.decision.time), "2010-09-10 13:40:00 UTC");
  EXPECT_EQ(named.source->name, "name");
  add_file(fs, "DSC_1.jpg", {});
  add_file(fs, "DSC_1.jpg.json", {}, sidecar_of("DSC_1.jpg", "0"));
  const chain_answer alone = ask(fs, "DSC_1.jpg");
  EXPECT_FALSE(alone.decision.time);
  EXPECT_EQ(alone.decision.why,
            "its sidecar './DSC_1.jpg.json' gives no date (its taken time is 0, Takeout's word "
            "for none), and no date in the form 'year-month-day hour.minute'");
}

// A video with no sidecar of its own takes its stills', which must agree.
TEST(Chain, AVideosStillsThatDisagreeLeaveItAlone) {
  memory_system fs;
  add_file(fs, "IMG_0170.MP4", {});
  add_file(fs, "IMG_0170.JPG.json", {}, sidecar_of("IMG_0170.JPG", "1258375918"));
  add_file(fs, "IMG_0170.HEIC.json", {}, sidecar_of("IMG_0170.HEIC", "1258375918"));
  const chain_answer agree = ask(fs, "IMG_0170.MP4");
  ASSERT_TRUE(agree.decision.time);
  EXPECT_EQ(agree.where, "./IMG_0170.JPG.json");
  add_file(fs, "IMG_0170.HEIC.json", {}, sidecar_of("IMG_0170.HEIC", "1258379999"));
  const chain_answer disagree = ask(fs, "IMG_0170.MP4");
  EXPECT_FALSE(disagree.decision.time);
  EXPECT_EQ(disagree.decision.why,
            "the sidecars of its stills disagree: './IMG_0170.JPG.json' gives 2009-11-16 "
            "12:51:58 UTC, './IMG_0170.HEIC.json' gives 2009-11-16 13:59:59 UTC");
  // Its own sidecar decides alone.
  add_file(fs, "IMG_0170.MP4.json", {}, sidecar_of("IMG_0170.MP4", "1258375918"));
  EXPECT_EQ(ask(fs, "IMG_0170.MP4").where, "./IMG_0170.MP4.json");
}

// Unpacked on macOS, names are decomposed; Takeout's titles are not.
TEST(Chain, NamesInEitherUnicodeFormFindTheirSidecar) {
  memory_system fs;
  const std::string decomposed_name = "Ha\u0308user.jpg";
  add_file(fs, decomposed_name, {});
  add_file(fs, decomposed_name + ".json", {}, sidecar_of("H\u00e4user.jpg", "1258375918"));
  EXPECT_TRUE(ask(fs, decomposed_name).decision.time);
  const std::string composed_name = "Gr\u00fcn.jpg";
  add_file(fs, composed_name, {});
  add_file(fs, "Gru\u0308n.jpg.json", {}, sidecar_of("Gru\u0308n.jpg", "1258375918"));
  EXPECT_TRUE(ask(fs, composed_name).decision.time);
}

TEST(Chain, ASourcesOwnFilesAreNeverSelected) {
  EXPECT_TRUE(owned_by_sources(chain_for(true), "json"));
  EXPECT_TRUE(owned_by_sources(chain_for(true), "JSON"));
  EXPECT_FALSE(owned_by_sources(chain_for(false), "json"));
  EXPECT_FALSE(owned_by_sources(chain_for(true), "jpg"));
}

}  // namespace
