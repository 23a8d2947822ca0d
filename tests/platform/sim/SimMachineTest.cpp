#include "platform/sim/SimMachine.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "platform/sim/SimDemoScene.h"

namespace orvane::sim {
namespace {

constexpr const char* kWired = "{6B29FC40-CA47-1067-B31D-00DD010662DA}";
constexpr const char* kWifi = "{C0FFEE00-ABCD-4EF0-8123-456789ABCDEF}";
constexpr const char* kVpn = "{0F3A9C12-5D7E-4B21-9A3C-7E1D2B4C6A80}";

std::vector<std::string> NamesOf(const std::vector<std::string>& calls) {
  std::vector<std::string> names;
  for (const auto& call : calls) names.push_back(call.substr(0, call.find(' ')));
  return names;
}

// Interfaces of the wireless library's interface list.
uint32_t InterfaceCount(const platform::WirelessLibrary& library) {
  alignas(8) std::array<std::byte, platform::wlan::kInterfaceListSize> list{};
  EXPECT_EQ(library.EnumInterface(list.data()), 0u);
  uint32_t count = 0;
  std::memcpy(&count, list.data(), sizeof count);
  return count;
}

std::vector<platform::NetConProperties> EnumerateConnections(platform::ISharingService& sharing) {
  std::unique_ptr<platform::ISharingManager> manager;
  std::unique_ptr<platform::IConnectionEnumerator> enumerator;
  EXPECT_EQ(sharing.CreateSharingManager(manager), platform::kSOk);
  EXPECT_EQ(manager->EnumEveryConnection(enumerator), platform::kSOk);
  std::vector<platform::NetConProperties> found;
  std::unique_ptr<platform::INetConnection> item;
  while (enumerator->Next(item) == platform::kSOk) found.push_back(item->GetProperties());
  return found;
}

TEST(SimMachine, EveryServiceRecordsIntoTheOneLogInCallOrder) {
  SimMachine machine;
  platform::Platform& platform = machine;
  uint32_t state = 0;
  platform::ServiceHandle handle = 0;
  std::array<std::byte, platform::wlan::kInterfaceListSize> list{};

  platform.Wireless().EnumInterface(list.data());
  platform.Internet().QueryConnectedState(state);
  platform.Adapters().GetIfTable(0);
  platform.ConnectionKinds().ReadConnectionKindFacts(kWired);
  platform.Sharing().CoInitialize();
  platform.Services().OpenSCManager("", 1, handle);
  platform.System().ExecutablePath();
  platform.AutoRun().OpenRunKey();
  platform.Wzc().OpenInterfacesKey();

  EXPECT_EQ(NamesOf(machine.Log().Calls()),
            (std::vector<std::string>{"EnumInterface", "QueryConnectedState", "GetIfTable",
                                      "ReadConnectionKindFacts", "CoInitialize", "OpenSCManager",
                                      "ExecutablePath", "OpenRunKey", "CloseRunKey",
                                      "OpenInterfacesKey"}));
}

TEST(SimMachine, FailuresScriptedOnTheLogReachEveryService) {
  SimMachine machine;
  machine.Log().FailCall("CoInitialize", platform::kEFail);
  machine.Log().FailCall("EnumInterface", 1062);
  platform::Platform& platform = machine;
  std::array<std::byte, platform::wlan::kInterfaceListSize> list{};
  EXPECT_EQ(platform.Sharing().CoInitialize(), platform::kEFail);
  EXPECT_EQ(platform.Wireless().EnumInterface(list.data()), 1062u);
}

TEST(SimMachine, AConnectionLooksTheSameToEveryService) {
  SimMachine machine;
  machine.AddConnection({.guid = kWired,
                         .name = "LAN",
                         .deviceName = "Gigabit",
                         .pnpInstanceId = "PCI\\VEN_8086",
                         .ipAddress = "10.0.0.5",
                         .ipMask = "255.0.0.0",
                         .gateway = "10.0.0.1"});
  machine.AddConnection({.guid = kWifi,
                         .name = "Wi-Fi",
                         .deviceName = "USB stick",
                         .status = platform::kNcsMediaDisconnected,
                         .pnpInstanceId = "USB\\VID_0BDA",
                         .wireless = true,
                         .adapterType = 71});

  const auto adapters = machine.Adapters().GetAdaptersInfo(2 * platform::kAdapterRecordSize);
  ASSERT_EQ(adapters.code, platform::kErrorSuccess);
  ASSERT_EQ(adapters.adapters.size(), 2u);
  EXPECT_EQ(adapters.adapters[0].name, kWired);
  EXPECT_EQ(adapters.adapters[0].description, "Gigabit");
  EXPECT_EQ(adapters.adapters[0].ipAddresses.at(0).address, "10.0.0.5");
  EXPECT_EQ(adapters.adapters[0].gateways.at(0).address, "10.0.0.1");
  EXPECT_EQ(adapters.adapters[1].type, 71u);
  EXPECT_TRUE(adapters.adapters[1].ipAddresses.empty());
  EXPECT_NE(adapters.adapters[0].index, adapters.adapters[1].index);

  const auto table = machine.Adapters().GetIfTable(1 << 16);
  ASSERT_EQ(table.rows.size(), 2u);
  EXPECT_EQ(table.rows[0].index, adapters.adapters[0].index);

  const auto wiredKind = machine.ConnectionKinds().ReadConnectionKindFacts(kWired);
  EXPECT_EQ(wiredKind.pnpInstanceId.value, "PCI\\VEN_8086");
  EXPECT_EQ(wiredKind.mediaSubType.state, platform::ValueState::Missing);
  EXPECT_EQ(machine.ConnectionKinds().ReadConnectionKindFacts(kWifi).mediaSubType.value, 2u);

  const auto connections = EnumerateConnections(machine.Sharing());
  ASSERT_EQ(connections.size(), 2u);
  EXPECT_EQ(connections[0].guidId, SimSharing::ParseGuid(kWired));
  EXPECT_EQ(connections[0].name, u"LAN");
  EXPECT_EQ(connections[1].status, platform::kNcsMediaDisconnected);

  EXPECT_EQ(InterfaceCount(machine.Wireless()), 1u) << "only the wireless one has a radio";
}

TEST(SimMachine, AConnectionWithoutAdapterIsOnlyAConnection) {
  SimMachine machine;
  machine.AddConnection({.guid = kVpn, .name = "VPN", .hasAdapter = false});
  EXPECT_EQ(machine.Adapters().GetAdaptersInfo(platform::kAdapterRecordSize).code,
            platform::kErrorNoData);
  EXPECT_TRUE(machine.ConnectionKinds().ReadConnectionKindFacts(kVpn).keyOpened);
  EXPECT_EQ(EnumerateConnections(machine.Sharing()).size(), 1u);
}

TEST(SimMachine, MachinesFollowOneAnotherButNeverOverlap) {
  {
    SimMachine first;
    EXPECT_THROW(SimMachine second, std::logic_error);
  }
  SimMachine next;
  next.AddConnection({.guid = kWifi, .name = "Wi-Fi", .wireless = true});
  EXPECT_EQ(InterfaceCount(next.Wireless()), 1u) << "the library reaches the new radio";
}

TEST(SimDemoScene, IsABelievableLaptop) {
  SimMachine machine;
  SeedDemoScene(machine, "Orvane", "/tmp/demo/");
  EXPECT_EQ(machine.System().SettingsFolder(), "/tmp/demo/");
  const auto connections = EnumerateConnections(machine.Sharing());
  ASSERT_EQ(connections.size(), 4u);
  EXPECT_EQ(InterfaceCount(machine.Wireless()), 2u);

  int ownNetworks = 0;
  for (const auto& id : {kDemoBuiltInWifiGuid, kDemoUsbWifiGuid}) {
    for (const auto& network : machine.Radio().Networks(machine.System().ToUtf16(id))) {
      if (network.ssid == u"Orvane" && network.kind == 1) ++ownNetworks;
    }
  }
  EXPECT_EQ(ownNetworks, 1);
  uint32_t state = 0;
  EXPECT_TRUE(machine.Internet().CheckConnection("http://example.com/", {}));
  EXPECT_TRUE(machine.Internet().QueryConnectedState(state));
}

}  // namespace
}  // namespace orvane::sim
