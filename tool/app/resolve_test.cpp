#include "app/resolve.hpp"

#include <gtest/gtest.h>

namespace {

// The plan of a command line, or the usage error resolving it gave.
struct resolved {
  run_plan plan;
  std::optional<std::string> error;
};

resolved resolve(std::vector<std::string_view> words, const plan_facts& facts = {}) {
  const parsed_command parsed = read_arguments(words);
  EXPECT_EQ(parsed.what, command::run) << parsed.error;
  resolved r;
  r.error = resolve_plan(parsed.options, facts, r.plan);
  return r;
}

TEST(Resolve, ThePatternIsReadOnceAndAMalformedOneIsAUsageError) {
  EXPECT_FALSE(resolve({"--format", "%d.%m.%Y %H-%M", "jpg"}).plan.rule.pattern.empty());
  EXPECT_FALSE(resolve({"--format=%Y%m%d", "--date-only"}).plan.rule.pattern.empty());
  for (const std::string_view wrong : {"%Y%m%d", "%Y%m%d%H%M%Q"}) {
    const resolved r = resolve({"--format", wrong});
    ASSERT_TRUE(r.error) << wrong;
    EXPECT_TRUE(r.error->starts_with("--format '")) << *r.error;
  }
}

TEST(Resolve, TheZoneIsAnOffsetOrANameForTheSession) {
  const resolved fixed = resolve({"--tz", "+05:30"});
  ASSERT_TRUE(fixed.plan.rule.fixed_offset);
  EXPECT_EQ(*fixed.plan.rule.fixed_offset, std::chrono::minutes{330});
  EXPECT_FALSE(fixed.plan.rule.local);
  const resolved named = resolve({"--tz", "Europe/Berlin"});
  EXPECT_TRUE(named.plan.rule.local);
  EXPECT_FALSE(named.plan.rule.fixed_offset);
  // A zone's name never leads out of the zone database (to a pipe, say).
  for (const std::string_view outside :
       {"../../../tmp/fifo", "Europe/../../x", "/tmp/fifo", ".."}) {
    const resolved r = resolve({"--tz", outside});
    ASSERT_TRUE(r.error) << outside;
    EXPECT_NE(r.error->find("is no zone's name"), std::string::npos) << *r.error;
  }
  for (const std::string_view wrong : {"+25:00", "+5x", "-", "UTC+", "GMT-2x", "UTC+123"}) {
    const resolved r = resolve({"--tz", wrong});
    ASSERT_TRUE(r.error) << wrong;
    EXPECT_NE(r.error->find("is no offset from UTC"), std::string::npos) << *r.error;
  }
}

// As Windows labels its zones, and as people write them: ahead of UTC for
// +, never the POSIX way round. The zone database's Etc/GMT+2 is refused
// with the offset it means.
TEST(Resolve, ZoneWordsWithASignAreReadAsTheySay) {
  using std::chrono::minutes;
  const std::pair<std::string_view, minutes> words[] = {
      {"UTC+02:00", minutes{120}}, {"UTC+2", minutes{120}},     {"GMT+2", minutes{120}},
      {"utc-3:30", minutes{-210}}, {"GMT-0400", minutes{-240}}, {"+2", minutes{120}},
      {"UTC", minutes{0}}};
  for (const auto& [word, offset] : words) {
    const resolved r = resolve({"--tz", word});
    ASSERT_FALSE(r.error) << word << ": " << *r.error;
    EXPECT_EQ(r.plan.rule.fixed_offset, offset) << word;
  }
  const resolved etc = resolve({"--tz", "Etc/GMT+2"});
  ASSERT_TRUE(etc.error);
  EXPECT_NE(etc.error->find("is UTC-02:00"), std::string::npos) << *etc.error;
  EXPECT_TRUE(etc.error->ends_with("--tz -02:00")) << *etc.error;
  EXPECT_TRUE(resolve({"--tz", "Etc/UTC"}).plan.rule.local);
}

TEST(Resolve, JobsAreWhatIsAskedOrWhatTheFileSystemWants) {
  plan_facts share;
  share.remote_kind = "FUSE";
  EXPECT_EQ(resolve({}).plan.jobs, 1);
  EXPECT_EQ(resolve({}, share).plan.jobs, 16);
  EXPECT_EQ(resolve({"--jobs", "3"}, share).plan.jobs, 3);
  EXPECT_EQ(resolve({"--dry-run", "--jobs", "3"}, share).plan.jobs, 1);
  EXPECT_EQ(resolve({"--verbose"}, share).plan.notes,
            std::vector<std::string>{"stamping 16 files at once (the folder is on FUSE)"});
}

TEST(Resolve, ADryRunSaysTheZoneFirst) {
  plan_facts berlin;
  berlin.tz_variable = "Europe/Berlin";
  const auto first_note = [](const resolved& r) { return r.plan.notes.at(0); };
  EXPECT_EQ(first_note(resolve({"--dry-run"})),
            "names are read as UTC (--local or --tz ZONE reads them in a zone)");
  EXPECT_EQ(first_note(resolve({"--dry-run", "--utc"})), "names are read as UTC");
  EXPECT_EQ(first_note(resolve({"--dry-run", "--local"}, berlin)),
            "names are read as local time in TZ=Europe/Berlin");
  EXPECT_EQ(first_note(resolve({"--dry-run", "--local"})),
            "names are read as the system's local time");
  EXPECT_EQ(first_note(resolve({"--dry-run", "--tz", "-0400"})), "names are read at UTC-04:00");
  EXPECT_EQ(first_note(resolve({"--dry-run", "--tz", "GMT+5:30"})), "names are read at UTC+05:30");
  // A real run says it too, as it announces the first file; a quiet one does not.
  EXPECT_TRUE(resolve({}).plan.notes.empty());
  EXPECT_EQ(resolve({}).plan.zone_note,
            "names are read as UTC (--local or --tz ZONE reads them in a zone)");
  EXPECT_TRUE(resolve({"--quiet"}).plan.zone_note.empty());
  EXPECT_EQ(resolve({"--local"}).plan.zone_said, "names read as the system's local time");
}

TEST(Resolve, CreatedIsAUsageErrorWhereNoCallSetsIt) {
  plan_facts linux_facts;
  linux_facts.creation_time_settable = false;
  const resolved r = resolve({"--dry-run", "--created"}, linux_facts);
  ASSERT_TRUE(r.error);
  EXPECT_TRUE(r.error->starts_with("--created: this system has no call")) << *r.error;
  EXPECT_TRUE(resolve({"--created"}).plan.created);
}

TEST(Resolve, TheRestOfThePlan) {
  plan_facts not_utc;
  not_utc.zone_is_utc = false;
  not_utc.this_year = 2030;
  const resolved r = resolve({"--takeout", "-2", "}4", "{1", "jpg"}, not_utc);
  EXPECT_EQ(r.plan.chain.size(), 2u);
  EXPECT_EQ(r.plan.chain.front()->name, "sidecar");
  EXPECT_TRUE(r.plan.warn_utc);
  EXPECT_EQ(r.plan.rule.latest_year, 2031);
  EXPECT_EQ(r.plan.rule.shift, ticks{std::chrono::hours{-2}});
  EXPECT_TRUE(r.plan.rule.show_read);
  EXPECT_EQ(r.plan.selection.words, (std::vector<std::string>{"-2", "}4", "{1", "jpg"}));
  EXPECT_EQ(r.plan.selection.front_cut, 4);
  EXPECT_FALSE(resolve({"--utc"}, not_utc).plan.warn_utc);
  EXPECT_EQ(resolve({"--directory", "Photos"}).plan.folder, "Photos");
}

}  // namespace
