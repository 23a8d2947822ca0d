#include "platform/sim/SimInternet.h"

#include <future>

#include <gtest/gtest.h>

namespace orvane::sim {
namespace {

constexpr std::chrono::seconds kBound{10};

TEST(SimInternet, AnswersAsSetAndRecordsEveryCall) {
  SimCallLog log;
  SimInternet internet(log);
  uint32_t flags = 99;
  EXPECT_TRUE(internet.CheckConnection("http://a/", std::chrono::milliseconds(1500)));
  EXPECT_TRUE(internet.QueryConnectedState(flags));
  EXPECT_EQ(flags, 0u);

  internet.SetReachable(false);
  internet.SetConnectedState(true, 2);
  EXPECT_FALSE(internet.CheckConnection("http://a/", std::chrono::milliseconds(1500)));
  EXPECT_TRUE(internet.QueryConnectedState(flags));
  EXPECT_EQ(flags, 2u);

  internet.SetConnectedState(false, 0);
  flags = 7;
  EXPECT_FALSE(internet.QueryConnectedState(flags));
  EXPECT_EQ(flags, 7u) << "a failed query leaves the value alone";

  EXPECT_EQ(log.Calls(),
            (std::vector<std::string>{"CheckConnection http://a/ 1500", "QueryConnectedState",
                                      "CheckConnection http://a/ 1500", "QueryConnectedState",
                                      "QueryConnectedState"}));
}

TEST(SimInternet, ScriptedFailuresAnswerFalse) {
  SimCallLog log;
  SimInternet internet(log);
  log.FailCall("CheckConnection", 12029, 1);
  log.FailCall("QueryConnectedState", 1, 1);
  uint32_t flags = 0;
  EXPECT_FALSE(internet.CheckConnection("u", std::chrono::milliseconds(1)));
  EXPECT_FALSE(internet.QueryConnectedState(flags));
  EXPECT_TRUE(internet.CheckConnection("u", std::chrono::milliseconds(1)));
  EXPECT_TRUE(internet.QueryConnectedState(flags));
}

TEST(SimInternet, HeldAttemptsWaitForTheirReleaseAndSeeTheAnswerThen) {
  SimCallLog log;
  SimInternet internet(log);
  EXPECT_FALSE(internet.WaitUntilHeld(std::chrono::milliseconds(1))) << "nothing held yet";
  internet.HoldProbes();

  auto first = std::async(std::launch::async, [&] {
    return internet.CheckConnection("u", std::chrono::milliseconds(1));
  });
  ASSERT_TRUE(internet.WaitUntilHeld(kBound));
  EXPECT_EQ(log.Count("CheckConnection"), 1u) << "recorded before it waits";
  internet.SetReachable(false);
  internet.ReleaseHeld();
  ASSERT_EQ(first.wait_for(kBound), std::future_status::ready);
  EXPECT_FALSE(first.get()) << "answers what was set while it waited";

  auto second = std::async(std::launch::async, [&] {
    return internet.CheckConnection("u", std::chrono::milliseconds(1));
  });
  ASSERT_TRUE(internet.WaitUntilHeld(kBound)) << "still holding after a release";
  internet.StopHolding();
  ASSERT_EQ(second.wait_for(kBound), std::future_status::ready);
  EXPECT_FALSE(second.get());
  EXPECT_FALSE(internet.CheckConnection("u", std::chrono::milliseconds(1))) << "runs through";
}

}  // namespace
}  // namespace orvane::sim
