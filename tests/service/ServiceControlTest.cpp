#include "service/ServiceControl.h"

#include <gtest/gtest.h>

#include "common/Errors.h"
#include "platform/sim/SimMachine.h"

namespace orvane {
namespace {

using platform::ServiceStatus;
using Calls = std::vector<std::string>;

constexpr uint32_t kStartPending = platform::kServiceStartPending;
constexpr uint32_t kStopPending = platform::kServiceStopPending;

class ServiceControlTest : public ::testing::Test {
 protected:
  void SetUp() override { machine.System().SetErrorMessage(5, "Access is denied."); }

  sim::SimServices& Services() { return machine.Services(); }
  sim::SimCallLog& Log() { return machine.Log(); }
  Calls Sleeps() { return Log().CallsNamed("Sleep"); }
  // Every handle opened was closed, and nothing else was.
  void ExpectHandlesClosed() {
    EXPECT_EQ(Services().OpenHandleCount(), 0u);
    EXPECT_EQ(Services().BadCloseCount(), 0);
  }
  // A script of n pending statuses whose checkpoint never moves.
  static std::vector<ServiceStatus> Stalled(uint32_t state, uint32_t hint, int n) {
    return std::vector<ServiceStatus>(n, ServiceStatus{state, 1, hint});
  }

  sim::SimMachine machine;
  TServiceControl control{machine.Services(), machine.System(), "wzcsvc", ""};
};

TEST_F(ServiceControlTest, GetStateAsksForQueryRightsOnThisComputerAndClosesServiceFirst) {
  Services().AddService("wzcsvc", platform::kServiceRunning);
  EXPECT_EQ(control.GetState(), TServiceState::ssRunning);
  EXPECT_EQ(Log().Calls(),
            (Calls{"OpenSCManager \"\" 0x1", "OpenService 1 wzcsvc 0x4", "QueryServiceStatus 2",
                   "CloseServiceHandle 2", "CloseServiceHandle 1"}));

  Services().AddService("other", platform::kServiceStopped);
  TServiceControl other(Services(), machine.System(), "other", "");
  EXPECT_EQ(other.GetState(), TServiceState::ssStopped);
  EXPECT_EQ(static_cast<int>(TServiceState::ssPaused), 6);
  ExpectHandlesClosed();
}

TEST_F(ServiceControlTest, AStateNumberOutsideTheTableIsAnErrorNotAState) {
  Services().AddService("wzcsvc", 9);
  EXPECT_THROW(control.GetState(), std::runtime_error);
  ExpectHandlesClosed();
}

TEST_F(ServiceControlTest, StartWaitsTheReportedHintsUntilRunning) {
  Services().AddService("wzcsvc", platform::kServiceStopped);
  Services().ScriptStart("wzcsvc", {{kStartPending, 1, 250},
                                    {kStartPending, 2, 0},
                                    {kStartPending, 2, 40},
                                    {platform::kServiceRunning, 0, 0}});
  EXPECT_TRUE(control.Start());
  EXPECT_EQ(Log().CallsNamed("OpenService"), Calls{"OpenService 1 wzcsvc 0x14"});
  // A zero hint means the next query follows at once.
  EXPECT_EQ(Sleeps(), (Calls{"Sleep 250", "Sleep 0", "Sleep 40"}));
  EXPECT_EQ(Log().Count("QueryServiceStatus"), 4u);
  ExpectHandlesClosed();
}

TEST_F(ServiceControlTest, StopWaitsUntilStoppedWithStopRights) {
  Services().AddService("wzcsvc", platform::kServiceRunning);
  Services().ScriptStop(
      "wzcsvc",
      {{kStopPending, 1, 100}, {kStopPending, 2, 100}, {platform::kServiceStopped, 0, 0}});
  EXPECT_TRUE(control.Stop());
  EXPECT_EQ(Log().CallsNamed("OpenService"), Calls{"OpenService 1 wzcsvc 0x24"});
  EXPECT_EQ(Log().CallsNamed("ControlService"), Calls{"ControlService 2 1"});
  EXPECT_EQ(Sleeps(), Calls{"Sleep 100"});
  EXPECT_EQ(Services().State("wzcsvc"), platform::kServiceStopped);
  ExpectHandlesClosed();
}

TEST_F(ServiceControlTest, RefusedRequestsReturnAtOnce) {
  // Starting a running service is refused and brings no status back: false.
  Services().AddService("wzcsvc", platform::kServiceRunning);
  EXPECT_FALSE(control.Start());
  // Stopping a stopped one is refused, but the status handed back says stopped: true.
  Services().AddService("wzcsvc", platform::kServiceStopped);
  EXPECT_TRUE(control.Stop());
  // A refusal for lack of rights on a running service: false.
  Services().AddService("wzcsvc", platform::kServiceRunning);
  Log().FailCall("ControlService", 5, 1);
  EXPECT_FALSE(control.Stop());

  EXPECT_EQ(Log().Count("QueryServiceStatus"), 0u);
  EXPECT_TRUE(Sleeps().empty());
  ExpectHandlesClosed();
}

TEST_F(ServiceControlTest, AFallingCheckpointEndsTheWaitAsFailure) {
  Services().AddService("wzcsvc", platform::kServiceStopped);
  Services().ScriptStart(
      "wzcsvc",
      {{kStartPending, 5, 10}, {kStartPending, 0, 10}, {platform::kServiceRunning, 0, 0}});
  EXPECT_FALSE(control.Start());
  EXPECT_EQ(Sleeps(), Calls{"Sleep 10"});
  ExpectHandlesClosed();
}

TEST_F(ServiceControlTest, AFailedQueryInsideTheWaitKeepsTheLastStatusWithoutError) {
  Services().AddService("wzcsvc", platform::kServiceStopped);
  Services().ScriptStart("wzcsvc", {{kStartPending, 1, 10}, {platform::kServiceRunning, 0, 0}});
  Log().FailCall("QueryServiceStatus", 6, 1, 1);
  EXPECT_FALSE(control.Start());
  ExpectHandlesClosed();
}

TEST_F(ServiceControlTest, AStalledCheckpointGivesUpAfterAMinute) {
  Services().AddService("wzcsvc", platform::kServiceStopped);
  Services().ScriptStart("wzcsvc", Stalled(kStartPending, 1000, 200));
  EXPECT_FALSE(control.Start());
  EXPECT_EQ(Services().SleptMilliseconds(), TServiceControl::kStallLimitMs);

  // The same with a zero hint: the clock moves with the queries, not with sleeping.
  Services().AddService("wzcsvc", platform::kServiceStopped);
  Services().ScriptStart("wzcsvc", Stalled(kStartPending, 0, 2000));
  Services().SetQueryDuration(50);
  const uint64_t queriesBefore = Log().Count("QueryServiceStatus");
  EXPECT_FALSE(control.Start());
  EXPECT_EQ(Log().Count("QueryServiceStatus") - queriesBefore, 1201u);  // 1 + 60 s / 50 ms
  ExpectHandlesClosed();
}

TEST_F(ServiceControlTest, AnEndlessWaitGivesUpAfterFiveMinutesEvenWithProgress) {
  std::vector<ServiceStatus> advancing;
  for (uint32_t point = 1; point <= 1000; ++point) advancing.push_back({kStopPending, point, 500});
  Services().AddService("wzcsvc", platform::kServiceRunning);
  Services().ScriptStop("wzcsvc", advancing);
  EXPECT_FALSE(control.Stop());
  EXPECT_EQ(Services().SleptMilliseconds(), TServiceControl::kWaitLimitMs);
  ExpectHandlesClosed();
}

TEST_F(ServiceControlTest, AHugeHintIsSleptOnlyUpToTheBound) {
  Services().AddService("wzcsvc", platform::kServiceStopped);
  Services().ScriptStart("wzcsvc", Stalled(kStartPending, 0xFFFFFFFFu, 5));
  EXPECT_FALSE(control.Start());
  EXPECT_EQ(Sleeps(), Calls{"Sleep 60000"});
}

TEST_F(ServiceControlTest, OpenAndFirstQueryFailuresRaiseWithTheCodeAndCloseWhatWasOpened) {
  Services().AddService("wzcsvc", platform::kServiceStopped);
  const auto codeOf = [](const std::function<void()>& operation) -> int64_t {
    try {
      operation();
    } catch (const OsError& error) {
      return error.Code();
    }
    return -1;
  };

  Log().FailCall("OpenSCManager", 5, 1);
  EXPECT_EQ(codeOf([&] { control.GetState(); }), 5);
  Log().FailCall("OpenService", 5, 1);
  EXPECT_EQ(codeOf([&] { control.Stop(); }), 5);
  Log().FailCall("QueryServiceStatus", 5, 1);
  EXPECT_EQ(codeOf([&] { control.QueryState(); }), 5);
  Log().FailCall("QueryServiceStatus", 1053, 1);
  EXPECT_EQ(codeOf([&] { control.Start(); }), 1053);  // the first query after the request

  TServiceControl missing(Services(), machine.System(), "nosuch", "");
  EXPECT_EQ(codeOf([&] { missing.Start(); }), 1060);
  TServiceControl remote(Services(), machine.System(), "wzcsvc", "far");
  EXPECT_EQ(codeOf([&] { remote.GetState(); }), 1722);
  ExpectHandlesClosed();

  Log().FailCall("OpenSCManager", 5, 1);
  try {
    control.GetState();
    ADD_FAILURE() << "no error raised";
  } catch (const OsError& error) {
    EXPECT_EQ(std::string(error.what()), "System Error.  Code: 5.\nAccess is denied.");
  }
}

}  // namespace
}  // namespace orvane
