#include "decide/zone_rule.hpp"

#include <gtest/gtest.h>

namespace {

TEST(ZoneRule, PosixRulesNeedNoZoneFile) {
  for (const char* rule : {"UTC0", "EST5", "CET-1CEST,M3.5.0,M10.5.0/3", "EST5EDT", "<+0530>-5:30",
                           "NZST-12NZDT-13,M9.5.0,M4.1.0/3", "AAA+24:59:59"}) {
    EXPECT_TRUE(is_posix_zone_rule(rule)) << rule;
  }
}

TEST(ZoneRule, NamesAndTyposAreNoRules) {
  // These the C library would take for UTC without a word.
  for (const char* name : {"Europe/Berln", "Europe/Berlin", "UTC", "CET", "Berlin", "", "EST",
                           "ES5", "EST25", "EST5:60", "<+05>", "<+05-5", "EST5EDT;x", "EST 5"}) {
    EXPECT_FALSE(is_posix_zone_rule(name)) << name;
  }
}

}  // namespace
