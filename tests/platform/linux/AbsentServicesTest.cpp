// What the Linux backend does not have yet answers honestly instead of pretending.

#include <gtest/gtest.h>

#include <vector>

#include "platform/linux/LinuxServiceControl.h"
#include "platform/linux/LinuxWirelessLibrary.h"
#include "platform/linux/LinuxWzcStore.h"

namespace orvane::platform::linux_backend {
namespace {

TEST(AbsentServicesTest, WirelessLibraryHasNoInterface) {
  const WirelessLibrary& library = NoWirelessLibrary();
  std::vector<uint8_t> list(wlan::kInterfaceListSize, 0xAB);
  EXPECT_NE(library.EnumInterface(list.data()), 0u);
  EXPECT_EQ(list[0] | list[1] | list[2] | list[3], 0);  // count 0
  std::vector<uint8_t> networks(wlan::kNetworkListSize, 0xAB);
  EXPECT_NE(library.GetVisibleNetworkList(u"x", networks.data()), 0u);
  EXPECT_EQ(networks[0], 0);
  EXPECT_NE(library.AddSsid(u"x", u"net", u"12345"), 0u);
  EXPECT_NE(library.Connect(u"x", u"net", u"12345", 0, 0, 0), 0u);
  library.RegisterNotification(nullptr);
  library.UnRegisterNotification();
}

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
