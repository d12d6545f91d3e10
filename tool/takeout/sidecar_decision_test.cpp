#include "takeout/sidecar_decision.hpp"

#include <gtest/gtest.h>

namespace {

TEST(SidecarDecision, AnInstantThatOnlyTheShiftMoves) {
  time_rule rule;
  rule.local = true;  // does not apply
  rule.shift = std::chrono::hours{2};
  const stamp_decision d = sidecar_decision(
      read_sidecar(R"({"photoTakenTime":{"timestamp":"1258375918"}})"), "x.json", rule);
  ASSERT_TRUE(d.time);
  EXPECT_EQ(format_utc(*d.time), "2009-11-16 14:51:58 UTC");
  EXPECT_EQ(d.basis, zone_basis::sidecar);

  const stamp_decision broken = sidecar_decision(read_sidecar("{"), "x.json", {});
  EXPECT_EQ(broken.refused, refusal::no_date);
  EXPECT_EQ(broken.why, "its sidecar 'x.json' is not a JSON object");
  // 1601 is the first year a file time holds, on any platform.
  const stamp_decision early = sidecar_decision(
      read_sidecar(R"({"photoTakenTime":{"timestamp":"-11644473601"}})"), "x.json", {});
  EXPECT_EQ(early.refused, refusal::out_of_range);
  EXPECT_TRUE(sidecar_decision(read_sidecar(R"({"photoTakenTime":{"timestamp":"-11644473600"}})"),
                               "x.json", {})
                  .time);
  EXPECT_EQ(sidecar_decision(read_sidecar(R"({"photoTakenTime":{"timestamp":"999999999999"}})"),
                             "x.json", {})
                .refused,
            refusal::out_of_range);
}

}  // namespace
