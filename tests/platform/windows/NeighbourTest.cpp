// Connected devices on Windows: the neighbour-table filter over crafted rows, and the real table
// and sharing service as this system answers them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <string>

#include "platform/windows/NeighbourFilter.h"
#include "platform/windows/WinAdapterQuery.h"
#include "platform/windows/WinNeighbourTable.h"
#include "platform/windows/WindowsPlatform.h"
// clang-format off
#include "platform/windows/Win32.h"
#include <objbase.h>
// clang-format on

namespace orvane::platform {

// Readable failures: a device as its three texts.
void PrintTo(const ConnectedDevice& device, std::ostream* out) {
  *out << '{' << device.name << ", " << device.hardwareAddress << ", " << device.ipv4Address << '}';
}

namespace windows_backend {
namespace {

constexpr uint64_t kPrivate = 0x0006000001000000;  // an Ethernet interface's LUID
constexpr uint64_t kOther = 0x0047000002000000;

constexpr uint32_t Ip(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
  return a << 24 | b << 16 | c << 8 | d;
}

NeighbourRow Row(uint32_t address, std::vector<uint8_t> hardware,
                 NeighbourState state = NeighbourState::kReachable, uint64_t luid = kPrivate) {
  return {luid, address, std::move(hardware), state};
}

const std::vector<uint8_t> kPhone = {0x3C, 0x22, 0xFB, 0x0A, 0x1B, 0xEE};
const std::vector<InterfaceSubnet> kSubnets = {{Ip(192, 168, 137, 1), 24}};

TEST(NeighbourFilter, KeepsDevicesThatAreThereInTableOrder) {
  const std::vector<NeighbourRow> rows = {
      Row(Ip(192, 168, 137, 23), kPhone, NeighbourState::kStale),
      Row(Ip(192, 168, 137, 5), {0x02, 0, 0, 0, 0, 0x01}, NeighbourState::kReachable),
      Row(Ip(192, 168, 137, 6), {0x02, 0, 0, 0, 0, 0x02}, NeighbourState::kDelay),
      Row(Ip(192, 168, 137, 7), {0x02, 0, 0, 0, 0, 0x03}, NeighbourState::kProbe),
  };
  const std::vector<ConnectedDevice> expected = {
      {"", "3c:22:fb:0a:1b:ee", "192.168.137.23"},
      {"", "02:00:00:00:00:01", "192.168.137.5"},
      {"", "02:00:00:00:00:02", "192.168.137.6"},
      {"", "02:00:00:00:00:03", "192.168.137.7"},
  };
  EXPECT_EQ(DevicesOnInterface(rows, kPrivate, kSubnets), expected);
}

TEST(NeighbourFilter, DropsWhatIsNotADeviceOnTheInterface) {
  const uint32_t device = Ip(192, 168, 137, 23);
  const std::vector<NeighbourRow> rows = {
      Row(device, kPhone, NeighbourState::kReachable, kOther),
      Row(device, kPhone, NeighbourState::kUnreachable),
      Row(device, kPhone, NeighbourState::kIncomplete),
      Row(device, kPhone, NeighbourState::kPermanent),
      Row(device, {}, NeighbourState::kStale),
      Row(device, {0x3C, 0x22, 0xFB, 0x0A, 0x1B}),
      Row(device, {0x3C, 0x22, 0xFB, 0x0A, 0x1B, 0xEE, 0x00, 0x00}),
      Row(device, {0, 0, 0, 0, 0, 0}),
      Row(device, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),
      Row(device, {0x01, 0x00, 0x5E, 0x00, 0x00, 0xFB}),
      Row(Ip(224, 0, 0, 251), kPhone),
      Row(Ip(239, 255, 255, 250), kPhone),
      Row(Ip(255, 255, 255, 255), kPhone),
      Row(Ip(192, 168, 137, 255), kPhone),
      Row(Ip(0, 0, 0, 0), kPhone),
  };
  EXPECT_EQ(DevicesOnInterface(rows, kPrivate, kSubnets), std::vector<ConnectedDevice>());
  // Only the interface's own subnets have broadcast addresses: .255 of a wider subnet is a host,
  // and so is every address of a /31.
  const std::vector<InterfaceSubnet> wide = {{Ip(10, 1, 0, 1), 16}, {Ip(10, 9, 9, 0), 31}};
  EXPECT_EQ(DevicesOnInterface({Row(Ip(10, 1, 3, 255), kPhone), Row(Ip(10, 1, 255, 255), kPhone),
                                Row(Ip(10, 9, 9, 1), kPhone)},
                               kPrivate, wide),
            (std::vector<ConnectedDevice>{{"", "3c:22:fb:0a:1b:ee", "10.1.3.255"},
                                          {"", "3c:22:fb:0a:1b:ee", "10.9.9.1"}}));
}

// The GUID of the adapter the test script set up, from the adapter list.
bool TestAdapterGuid(Guid& guid) {
  const char* address = std::getenv("ORVANE_TEST_ADAPTER_ADDRESS");
  if (address == nullptr) return false;
  WinAdapterQuery query;
  const AdapterQueryResult result = query.GetAdaptersInfo(64 * 1024);
  const auto adapter = std::find_if(result.adapters.begin(), result.adapters.end(), [&](auto& a) {
    return !a.ipAddresses.empty() && a.ipAddresses.front().address == address;
  });
  if (adapter == result.adapters.end()) return false;
  const std::wstring text(adapter->name.begin(), adapter->name.end());
  GUID raw{};
  if (FAILED(::IIDFromString(text.c_str(), &raw))) return false;
  guid.data1 = raw.Data1;
  guid.data2 = raw.Data2;
  guid.data3 = raw.Data3;
  std::copy(raw.Data4, raw.Data4 + 8, guid.data4.begin());
  return true;
}

TEST(WindowsNeighbourTable, ListsTheDeviceTheTestAdapterKnows) {
  const char* hardware = std::getenv("ORVANE_TEST_NEIGHBOUR_HARDWARE");
  const char* address = std::getenv("ORVANE_TEST_NEIGHBOUR_ADDRESS");
  Guid guid;
  if (hardware == nullptr || address == nullptr || !TestAdapterGuid(guid))
    GTEST_SKIP() << "no test adapter with a neighbour (run through scripts/wine-tests.sh)";
  std::vector<ConnectedDevice> devices;
  ASSERT_EQ(ListNeighbourDevices(guid, devices), S_OK);
  EXPECT_EQ(devices, (std::vector<ConnectedDevice>{{"", hardware, address}}));
}

TEST(WindowsNeighbourTable, AnUnknownInterfaceIsAFailureWithAnEmptyList) {
  const Guid unknown{0x0E7F6A2B, 0x51C4, 0x4C4B, {0x9D, 0x1E, 0x7A, 0x6C, 0x3B, 0x2F, 0x1D, 0x09}};
  std::vector<ConnectedDevice> devices = {{"old", "02:00:00:00:00:01", "10.0.0.2"}};
  EXPECT_TRUE(FAILED(ListNeighbourDevices(unknown, devices)));
  EXPECT_TRUE(devices.empty());
}

// Through the sharing service: a connection not shared as private lists no device. Systems
// without the service (Wine has none) skip this.
TEST(WindowsSharing, AConnectionNotSharedAsPrivateListsNoDevice) {
  const auto platform = CreateWindowsPlatform();
  ISharingService& sharing = platform->Sharing();
  ASSERT_TRUE(Succeeded(sharing.CoInitialize()));
  std::unique_ptr<ISharingManager> manager;
  std::unique_ptr<IConnectionEnumerator> connections;
  if (FAILED(sharing.CreateSharingManager(manager)) ||
      FAILED(manager->EnumEveryConnection(connections))) {
    sharing.CoUninitialize();
    GTEST_SKIP() << "this system has no sharing service";
  }
  std::unique_ptr<INetConnection> connection;
  int checked = 0;
  while (connections->Next(connection) == S_OK) {
    std::unique_ptr<ISharingConfiguration> configuration;
    bool enabled = true;
    if (FAILED(manager->GetConfiguration(*connection, configuration)) ||
        FAILED(configuration->GetSharingEnabled(enabled)) || enabled)
      continue;
    std::vector<ConnectedDevice> devices = {{"old", "02:00:00:00:00:01", "10.0.0.2"}};
    EXPECT_EQ(configuration->GetConnectedDevices(devices), S_OK);
    EXPECT_TRUE(devices.empty());
    ++checked;
  }
  connections.reset();
  manager.reset();
  sharing.CoUninitialize();
  if (checked == 0) GTEST_SKIP() << "no connection that is not shared";
}

}  // namespace
}  // namespace windows_backend
}  // namespace orvane::platform
