#include "platform/sim/SimCallLog.h"

#include <gtest/gtest.h>

namespace orvane::sim {
namespace {

TEST(SimCallLog, FailureRulesMatchWholeLineOrNameAndCountDown) {
  SimCallLog log;
  log.FailCall("DisableSharing {B}", -5, 1);
  log.FailCall("CoInitialize", 7, 2, 1);

  EXPECT_FALSE(log.Record("DisableSharing {A}"));
  EXPECT_EQ(log.Record("DisableSharing {B}"), -5);
  EXPECT_FALSE(log.Record("DisableSharing {B}")) << "a rule for one time is used up";

  EXPECT_FALSE(log.Record("CoInitialize")) << "the first matching call is skipped";
  EXPECT_EQ(log.Record("CoInitialize"), 7);
  EXPECT_EQ(log.Record("CoInitialize"), 7);
  EXPECT_FALSE(log.Record("CoInitialize"));
}

TEST(SimCallLog, KeepsCallsInOrderAndFiltersByName) {
  SimCallLog log;
  log.FailCall("Next", 1);
  log.Record("CoInitialize");
  log.Record("Next");
  log.Record("NextOne x");
  log.Record("Next");
  EXPECT_EQ(log.Calls().size(), 4u);
  EXPECT_EQ(log.Count("Next"), 2u) << "names match whole words, not prefixes";
  EXPECT_EQ(log.Record("Next"), 1) << "an always-rule never runs out";
  log.ClearCalls();
  log.ClearFailures();
  EXPECT_TRUE(log.Calls().empty());
  EXPECT_FALSE(log.Record("Next"));
}

}  // namespace
}  // namespace orvane::sim
