// What the Linux backend does not have yet answers honestly instead of pretending.

#include <gtest/gtest.h>

#include "platform/linux/LinuxServiceControl.h"
#include "platform/linux/LinuxWzcStore.h"

namespace orvane::platform::linux_backend {
namespace {

TEST(AbsentServicesTest, EveryServiceIsMissing) {
  LinuxServiceControl services;
  ServiceHandle manager = 99;
  EXPECT_EQ(services.OpenSCManager("", 0, manager), kErrorServiceDoesNotExist);
  EXPECT_EQ(manager, 0u);
  ServiceHandle service = 99;
  EXPECT_EQ(services.OpenService(1, "wzcsvc", 0, service), kErrorServiceDoesNotExist);
  EXPECT_EQ(service, 0u);
  ServiceStatus status{4, 1, 1};
  EXPECT_EQ(services.ControlService(1, kServiceControlStop, status), kErrorServiceDoesNotExist);
  EXPECT_EQ(status.currentState, 0u);
}

TEST(AbsentServicesTest, WirelessServiceSettingsNeverOpen) {
  LinuxWzcStore store;
  EXPECT_FALSE(store.OpenInterfacesKey());
  EXPECT_TRUE(store.InterfaceNames().empty());
  EXPECT_EQ(store.ReadControlFlags("x").state, ValueState::Missing);
  EXPECT_NE(store.WriteControlFlags("x", 1), 0);
}

}  // namespace
}  // namespace orvane::platform::linux_backend
