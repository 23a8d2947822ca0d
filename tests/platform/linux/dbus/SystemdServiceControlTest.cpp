// Service control over systemd, against a mock manager (python3-dbusmock) on a private bus.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <systemd/sd-bus.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "PrivateBus.h"
#include "common/Errors.h"
#include "platform/linux/LinuxServiceControl.h"
#include "platform/linux/LinuxSystemInfo.h"
#include "service/ServiceControl.h"

namespace orvane::platform::linux_backend {
namespace {

using namespace std::chrono_literals;

constexpr const char* kPython = "/usr/bin/python3";
constexpr const char* kSystemdName = "org.freedesktop.systemd1";
constexpr const char* kSystemdPath = "/org/freedesktop/systemd1";
constexpr uint32_t kAllAccess = kServiceQueryStatus | kServiceStart | kServiceStop;

class SystemdServiceControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists("/usr/lib/python3/dist-packages/dbusmock"))
      GTEST_SKIP() << "needs python3-dbusmock";
    if (const std::string why = bus_.Start(); !why.empty()) GTEST_SKIP() << why;
    ASSERT_GE(sd_bus_new(&client_), 0);
    sd_bus_set_address(client_, bus_.Address().c_str());
    sd_bus_set_bus_client(client_, 1);
    ASSERT_GE(sd_bus_start(client_), 0);
  }

  void TearDown() override {
    if (mock_ > 0) {
      kill(mock_, SIGTERM);
      waitpid(mock_, nullptr, 0);
    }
    if (client_ != nullptr) sd_bus_flush_close_unref(client_);
  }

  void StartMock() {
    const char* argv[] = {kPython,     "-m",         "dbusmock",          "--logfile",
                          "/dev/null", "--template", ORVANE_SYSTEMD_MOCK, nullptr};
    ASSERT_EQ(posix_spawn(&mock_, kPython, nullptr, nullptr, const_cast<char**>(argv), environ), 0);
    for (int i = 0; i < 300 && !HasOwner(); ++i) std::this_thread::sleep_for(50ms);
    ASSERT_TRUE(HasOwner()) << "the mock manager did not come up";
  }

  bool HasOwner() {
    sd_bus_error error = SD_BUS_ERROR_NULL;
    sd_bus_message* reply = nullptr;
    int owned = 0;
    if (sd_bus_call_method(client_, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                           "org.freedesktop.DBus", "NameHasOwner", &error, &reply, "s",
                           kSystemdName) >= 0) {
      sd_bus_message_read(reply, "b", &owned);
    }
    sd_bus_message_unref(reply);
    sd_bus_error_free(&error);
    return owned != 0;
  }

  // Calls one of the mock's own methods.
  template <typename... Args>
  void Mock(const char* method, const char* signature, Args... args) {
    sd_bus_error error = SD_BUS_ERROR_NULL;
    const int result =
        sd_bus_call_method(client_, kSystemdName, kSystemdPath, "org.freedesktop.DBus.Mock", method,
                           &error, nullptr, signature, args...);
    EXPECT_GE(result, 0) << method << ": " << (error.message ? error.message : "");
    sd_bus_error_free(&error);
  }

  void AddUnit(const char* name, const char* active, uint32_t jobMs = 0,
               const char* loadState = "loaded") {
    Mock("AddMockUnit", "ssssu", name, loadState, active, "", jobMs);
  }

  // Opens the manager and the service; the service handle, or 0 with the code in `code`.
  ServiceHandle Open(const std::string& name, uint32_t& code, uint32_t access = kAllAccess) {
    ServiceHandle manager = 0;
    ServiceHandle service = 0;
    code = control_.OpenSCManager("", kScManagerConnect, manager);
    if (code == 0) code = control_.OpenService(manager, name, access, service);
    control_.CloseServiceHandle(manager);
    return service;
  }

  ServiceStatus Query(ServiceHandle service) {
    ServiceStatus status;
    EXPECT_EQ(control_.QueryServiceStatus(service, status), 0u);
    return status;
  }

  // Queries until the state is reached, at most 5 s.
  bool Reaches(ServiceHandle service, uint32_t state) {
    for (int i = 0; i < 100; ++i) {
      if (Query(service).currentState == state) return true;
      std::this_thread::sleep_for(50ms);
    }
    return false;
  }

  testing::PrivateBus bus_;
  sd_bus* client_ = nullptr;
  pid_t mock_ = -1;
  LinuxServiceControl control_;
  LinuxSystemInfo system_;
};

TEST_F(SystemdServiceControlTest, QueryMapsTheActiveStates) {
  StartMock();
  AddUnit("wzcsvc.service", "active");
  uint32_t code = 0;
  const ServiceHandle service = Open("wzcsvc", code);
  ASSERT_EQ(code, 0u);
  const std::pair<const char*, uint32_t> states[] = {
      {"active", kServiceRunning},         {"inactive", kServiceStopped},
      {"failed", kServiceStopped},         {"activating", kServiceStartPending},
      {"reloading", kServiceStartPending}, {"deactivating", kServiceStopPending}};
  for (const auto& [active, number] : states) {
    Mock("SetUnitState", "sss", "wzcsvc.service", active, "");
    const ServiceStatus status = Query(service);
    EXPECT_EQ(status.currentState, number) << active;
    EXPECT_EQ(status.checkPoint, 0u) << active;  // no job runs
  }
  Mock("SetUnitState", "sss", "wzcsvc.service", "exploded", "");
  ServiceStatus status;
  EXPECT_EQ(control_.QueryServiceStatus(service, status), 13u);
  control_.CloseServiceHandle(service);
}

TEST_F(SystemdServiceControlTest, StartAndStopPassThroughThePendingStates) {
  StartMock();
  AddUnit("wzcsvc.service", "inactive", 600);
  uint32_t code = 0;
  const ServiceHandle service = Open("wzcsvc", code);
  ASSERT_EQ(code, 0u);

  ASSERT_EQ(control_.StartService(service), 0u);
  const ServiceStatus first = Query(service);
  EXPECT_EQ(first.currentState, kServiceStartPending);
  EXPECT_GT(first.waitHint, 0u);
  EXPECT_GT(Query(service).checkPoint, first.checkPoint);  // the job is at work
  ASSERT_TRUE(Reaches(service, kServiceRunning));
  EXPECT_EQ(Query(service).checkPoint, 0u);

  ServiceStatus handedBack;
  ASSERT_EQ(control_.ControlService(service, kServiceControlStop, handedBack), 0u);
  EXPECT_EQ(handedBack.currentState, kServiceStopPending);
  ASSERT_TRUE(Reaches(service, kServiceStopped));
  control_.CloseServiceHandle(service);

  // The whole operation, waiting as the component does.
  TServiceControl wifi(control_, system_, "wzcsvc", "");
  EXPECT_TRUE(wifi.Start());
  EXPECT_EQ(wifi.GetState(), TServiceState::ssRunning);
  EXPECT_TRUE(wifi.Stop());
  EXPECT_EQ(wifi.GetState(), TServiceState::ssStopped);
}

TEST_F(SystemdServiceControlTest, RequestsThatAreRefused) {
  StartMock();
  AddUnit("wzcsvc.service", "active");
  uint32_t code = 0;
  const ServiceHandle service = Open("wzcsvc", code);
  ASSERT_EQ(code, 0u);
  EXPECT_EQ(control_.StartService(service), kErrorServiceAlreadyRunning);

  Mock("RefuseRequests", "s", "org.freedesktop.DBus.Error.AccessDenied");
  ServiceStatus handedBack;
  EXPECT_EQ(control_.ControlService(service, kServiceControlStop, handedBack), kErrorAccessDenied);
  EXPECT_EQ(handedBack.currentState, kServiceRunning);
  Mock("SetUnitState", "sss", "wzcsvc.service", "inactive", "dead");
  EXPECT_EQ(control_.StartService(service), kErrorAccessDenied);
  EXPECT_EQ(Query(service).currentState, kServiceStopped);

  // Stopping what is not running is refused with the stopped status.
  EXPECT_EQ(control_.ControlService(service, kServiceControlStop, handedBack),
            kErrorServiceNotActive);
  EXPECT_EQ(handedBack.currentState, kServiceStopped);
  control_.CloseServiceHandle(service);

  // A handle without the right to start cannot start.
  const ServiceHandle queryOnly = Open("wzcsvc", code, kServiceQueryStatus);
  EXPECT_EQ(control_.StartService(queryOnly), kErrorAccessDenied);
  control_.CloseServiceHandle(queryOnly);
}

TEST_F(SystemdServiceControlTest, AMissingUnitDoesNotExist) {
  StartMock();
  AddUnit("stub.service", "inactive", 0, "not-found");
  uint32_t code = 0;
  EXPECT_EQ(Open("nosuch", code), 0u);
  EXPECT_EQ(code, kErrorServiceDoesNotExist);
  Open("stub", code);
  EXPECT_EQ(code, kErrorServiceDoesNotExist);
  Open("bad/name", code);
  EXPECT_EQ(code, 123u);

  TServiceControl missing(control_, system_, "nosuch", "");
  try {
    missing.GetState();
    ADD_FAILURE() << "no error raised";
  } catch (const OsError& error) {
    EXPECT_STREQ(error.what(),
                 "System Error.  Code: 1060.\n"
                 "The specified service does not exist as an installed service.");
  }
}

TEST_F(SystemdServiceControlTest, WithoutTheManagerNothingIsReachable) {
  uint32_t code = 0;
  Open("wzcsvc", code);
  EXPECT_EQ(code, 1722u);
  ServiceHandle manager = 0;
  EXPECT_EQ(control_.OpenSCManager("far-away", kScManagerConnect, manager), 1722u);
  EXPECT_EQ(manager, 0u);
}

}  // namespace
}  // namespace orvane::platform::linux_backend
