#include "platform/sim/SimServices.h"

#include <gtest/gtest.h>

namespace orvane::sim {
namespace {

using platform::ServiceHandle;
using platform::ServiceStatus;

constexpr uint32_t kQueryStartStop = 0x0034;

struct Opened {
  ServiceHandle manager = 0;
  ServiceHandle service = 0;
};

Opened Open(SimServices& services, const std::string& name, uint32_t access = kQueryStartStop) {
  Opened opened;
  EXPECT_EQ(services.OpenSCManager("", 0x1, opened.manager), 0u);
  EXPECT_EQ(services.OpenService(opened.manager, name, access, opened.service), 0u);
  return opened;
}

bool SameStatus(const ServiceStatus& a, const ServiceStatus& b) {
  return a.currentState == b.currentState && a.checkPoint == b.checkPoint &&
         a.waitHint == b.waitHint;
}

TEST(SimServices, QueriesAfterAStartWalkTheScriptAndKeepTheLast) {
  SimCallLog log;
  SimServices services(log);
  services.AddService("wzcsvc", platform::kServiceStopped);
  const std::vector<ServiceStatus> script = {{2, 1, 100}, {2, 2, 0}, {4, 0, 0}};
  services.ScriptStart("wzcsvc", script);
  const Opened opened = Open(services, "wzcsvc");

  ASSERT_EQ(services.StartService(opened.service), 0u);
  EXPECT_EQ(services.State("wzcsvc"), platform::kServiceStartPending);
  ServiceStatus status;
  for (const ServiceStatus& expected : script) {
    ASSERT_EQ(services.QueryServiceStatus(opened.service, status), 0u);
    EXPECT_TRUE(SameStatus(status, expected)) << status.currentState << " " << status.checkPoint;
  }
  ASSERT_EQ(services.QueryServiceStatus(opened.service, status), 0u);
  EXPECT_TRUE(SameStatus(status, script.back()));
  EXPECT_EQ(services.State("wzcsvc"), platform::kServiceRunning);
}

TEST(SimServices, StopHandsBackTheFirstStatusAndRefusalsHandBackTheCurrentOne) {
  SimCallLog log;
  SimServices services(log);
  services.AddService("wzcsvc", platform::kServiceRunning);
  services.ScriptStop("wzcsvc", {{3, 1, 10}, {1, 0, 0}});
  const Opened opened = Open(services, "wzcsvc");

  EXPECT_EQ(services.StartService(opened.service), platform::kErrorServiceAlreadyRunning);
  ServiceStatus status;
  ASSERT_EQ(services.ControlService(opened.service, platform::kServiceControlStop, status), 0u);
  EXPECT_TRUE(SameStatus(status, {3, 1, 10}));
  ASSERT_EQ(services.QueryServiceStatus(opened.service, status), 0u);
  EXPECT_EQ(status.currentState, platform::kServiceStopped);

  status = {};
  EXPECT_EQ(services.ControlService(opened.service, platform::kServiceControlStop, status),
            platform::kErrorServiceNotActive);
  EXPECT_EQ(status.currentState, platform::kServiceStopped) << "the refusal carries a status";

  // Without a script a start is running at the first query.
  ASSERT_EQ(services.StartService(opened.service), 0u);
  EXPECT_EQ(services.ControlService(opened.service, platform::kServiceControlStop, status),
            SimServices::kErrorServiceCannotAcceptControl);
  ASSERT_EQ(services.QueryServiceStatus(opened.service, status), 0u);
  EXPECT_EQ(status.currentState, platform::kServiceRunning);
}

TEST(SimServices, TracksHandlesAndRecordsCallsInOrder) {
  SimCallLog log;
  SimServices services(log);
  services.AddService("wzcsvc", platform::kServiceRunning);
  const Opened opened = Open(services, "wzcsvc", 0x4);
  EXPECT_EQ(services.OpenHandleCount(), 2u);
  ServiceStatus status;
  services.QueryServiceStatus(opened.service, status);
  services.Sleep(250);
  services.CloseServiceHandle(opened.service);
  services.CloseServiceHandle(opened.manager);
  EXPECT_EQ(services.OpenHandleCount(), 0u);
  EXPECT_EQ(services.BadCloseCount(), 0);
  services.CloseServiceHandle(opened.manager);
  EXPECT_EQ(services.BadCloseCount(), 1) << "a second close is caught";
  EXPECT_EQ(services.SleptMilliseconds(), 250u);

  EXPECT_EQ(log.Calls(),
            (std::vector<std::string>{"OpenSCManager \"\" 0x1", "OpenService 1 wzcsvc 0x4",
                                      "QueryServiceStatus 2", "Sleep 250", "CloseServiceHandle 2",
                                      "CloseServiceHandle 1", "CloseServiceHandle 1"}));
}

TEST(SimServices, RefusesWhatTheSystemRefuses) {
  SimCallLog log;
  SimServices services(log);
  services.AddService("wzcsvc", platform::kServiceStopped);
  ServiceHandle manager = 0;
  ServiceHandle service = 0;
  EXPECT_EQ(services.OpenSCManager("other-pc", 0x1, manager), SimServices::kRpcServerUnavailable);
  ASSERT_EQ(services.OpenSCManager("", 0x1, manager), 0u);
  EXPECT_EQ(services.OpenService(manager, "nosuch", 0x4, service),
            platform::kErrorServiceDoesNotExist);
  EXPECT_EQ(services.OpenService(12345, "wzcsvc", 0x4, service), SimServices::kErrorInvalidHandle);

  ServiceHandle noConnect = 0;
  ASSERT_EQ(services.OpenSCManager("", 0x0, noConnect), 0u);
  EXPECT_EQ(services.OpenService(noConnect, "wzcsvc", 0x4, service), platform::kErrorAccessDenied);

  ASSERT_EQ(services.OpenService(manager, "wzcsvc", 0x4, service), 0u);
  ServiceStatus status;
  EXPECT_EQ(services.StartService(service), platform::kErrorAccessDenied) << "opened for query";
  EXPECT_EQ(services.ControlService(service, platform::kServiceControlStop, status),
            platform::kErrorAccessDenied);
  EXPECT_EQ(services.QueryServiceStatus(manager, status), SimServices::kErrorInvalidHandle);
  EXPECT_EQ(services.State("wzcsvc"), platform::kServiceStopped);
}

TEST(SimServices, ScriptedFailuresDoNotAdvanceTheService) {
  SimCallLog log;
  SimServices services(log);
  services.AddService("wzcsvc", platform::kServiceStopped);
  services.ScriptStart("wzcsvc", {{2, 1, 0}, {4, 0, 0}});
  const Opened opened = Open(services, "wzcsvc");

  log.FailCall("StartService", 1053, 1);
  EXPECT_EQ(services.StartService(opened.service), 1053u);
  EXPECT_EQ(services.State("wzcsvc"), platform::kServiceStopped);

  ASSERT_EQ(services.StartService(opened.service), 0u);
  log.FailCall("QueryServiceStatus", 6, 1);
  ServiceStatus status;
  EXPECT_EQ(services.QueryServiceStatus(opened.service, status), 6u);
  ASSERT_EQ(services.QueryServiceStatus(opened.service, status), 0u);
  EXPECT_TRUE(SameStatus(status, {2, 1, 0})) << "the failed query used up no status";

  log.FailCall("ControlService", 5, 1);
  status = {};
  EXPECT_EQ(services.ControlService(opened.service, platform::kServiceControlStop, status), 5u);
  EXPECT_EQ(status.currentState, platform::kServiceStartPending);

  log.FailCall("OpenSCManager", 5, 1);
  ServiceHandle manager = 0;
  EXPECT_EQ(services.OpenSCManager("", 0x1, manager), 5u);
  EXPECT_EQ(manager, 0u);
}

}  // namespace
}  // namespace orvane::sim
