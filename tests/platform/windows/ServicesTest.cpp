// Service control and connection sharing through the real Windows services.

#include <gtest/gtest.h>

#include <chrono>

#include "network/AdpUtils.h"
#include "network/ConnectionUnit.h"
#include "platform/windows/WindowsPlatform.h"

namespace orvane::platform::windows_backend {
namespace {

constexpr uint32_t kManagerConnect = 0x0001;                            // SC_MANAGER_CONNECT
constexpr uint32_t kServiceAccess = 0x0001 | 0x0004 | 0x0010 | 0x0020;  // query, start, stop

// Polls the service until it reaches state, for at most 30 seconds.
bool WaitForState(IServiceControlManager& services, ServiceHandle service, uint32_t state) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  ServiceStatus status;
  while (std::chrono::steady_clock::now() < deadline) {
    if (services.QueryServiceStatus(service, status) != 0) return false;
    if (status.currentState == state) return true;
    services.Sleep(100);
  }
  return false;
}

class WindowsServices : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(services_.OpenSCManager("", kManagerConnect, manager_), 0u);
    ASSERT_NE(manager_, 0u);
  }
  void TearDown() override { services_.CloseServiceHandle(manager_); }

  std::unique_ptr<Platform> platform_ = CreateWindowsPlatform();
  IServiceControlManager& services_ = platform_->Services();
  ServiceHandle manager_ = 0;
};

TEST_F(WindowsServices, AMissingServiceAnswers1060) {
  ServiceHandle service = 0;
  EXPECT_EQ(services_.OpenService(manager_, "OrvaneNoSuchService", kServiceAccess, service),
            kErrorServiceDoesNotExist);
  EXPECT_EQ(service, 0u);
}

TEST_F(WindowsServices, AnExistingServiceIsStartedAndStopped) {
  // The print spooler is installed with every Wine prefix and Windows, and may be stopped.
  ServiceHandle service = 0;
  ASSERT_EQ(services_.OpenService(manager_, "Spooler", kServiceAccess, service), 0u);
  ServiceStatus status;
  ASSERT_EQ(services_.QueryServiceStatus(service, status), 0u);
  if (status.currentState != kServiceStopped) {
    ASSERT_EQ(services_.ControlService(service, kServiceControlStop, status), 0u);
    ASSERT_TRUE(WaitForState(services_, service, kServiceStopped));
  }
  ASSERT_EQ(services_.StartService(service), 0u);
  ASSERT_TRUE(WaitForState(services_, service, kServiceRunning));
  EXPECT_EQ(services_.StartService(service), kErrorServiceAlreadyRunning);

  ASSERT_EQ(services_.ControlService(service, kServiceControlStop, status), 0u);
  EXPECT_TRUE(WaitForState(services_, service, kServiceStopped));
  EXPECT_EQ(services_.ControlService(service, kServiceControlStop, status), kErrorServiceNotActive);
  services_.CloseServiceHandle(service);
}

TEST(WindowsSharing, AnAbsentSharingServiceIsAFailureNotACrash) {
  const auto platform = CreateWindowsPlatform();
  ISharingService& sharing = platform->Sharing();
  ASSERT_TRUE(Succeeded(sharing.CoInitialize()));
  std::unique_ptr<ISharingManager> manager;
  const HResult created = sharing.CreateSharingManager(manager);
  sharing.CoUninitialize();
  if (Succeeded(created)) GTEST_SKIP() << "this system has the sharing service";
  EXPECT_EQ(manager, nullptr);

  // The connection manager reports the failure as the Boolean its callers expect.
  InterfaceTableBlock ifTable(platform->Adapters());
  TConnectionManager connections(platform->Adapters(), platform->ConnectionKinds(),
                                 platform->Sharing(), platform->System(), ifTable);
  connections.Refresh();
  EXPECT_EQ(connections.Connections().Count(), 0u);
  EXPECT_FALSE(connections.StartSharing("{A}", "{B}"));
  EXPECT_FALSE(connections.StopSharing());
}

}  // namespace
}  // namespace orvane::platform::windows_backend
