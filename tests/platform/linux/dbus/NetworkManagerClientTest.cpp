// The NetworkManager questions against a mock service on a private bus standing in for the
// system bus.

#include <gtest/gtest.h>
#include <systemd/sd-bus.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "PrivateBus.h"
#include "platform/linux/InterfaceInventory.h"
#include "platform/linux/LinuxInternetProbe.h"
#include "platform/linux/NetworkManagerClient.h"

namespace orvane::platform::linux_backend {
namespace {

using namespace std::chrono_literals;

constexpr const char* kService = "org.freedesktop.NetworkManager";
constexpr const char* kManagerPath = "/org/freedesktop/NetworkManager";
constexpr const char* kDevicePath = "/org/freedesktop/NetworkManager/Devices/7";
constexpr const char* kActivePath = "/org/freedesktop/NetworkManager/ActiveConnection/3";

// What the mock NetworkManager answers; read by the service thread.
struct MockState {
  std::atomic<uint32_t> state{70};
  std::string managedInterface = "lo";
  std::string connectionName = "Office LAN";
  std::string dhcpConfig = "/org/freedesktop/NetworkManager/DHCP4Config/1";
};

int GetState(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void* data,
             sd_bus_error*) {
  return sd_bus_message_append(reply, "u", static_cast<MockState*>(data)->state.load());
}

int GetDeviceByIpIface(sd_bus_message* call, void* data, sd_bus_error* error) {
  const char* name = nullptr;
  if (int r = sd_bus_message_read(call, "s", &name); r < 0) return r;
  if (static_cast<MockState*>(data)->managedInterface != name)
    return sd_bus_error_set(error, "org.freedesktop.NetworkManager.UnknownDevice", "no device");
  return sd_bus_reply_method_return(call, "o", kDevicePath);
}

int GetDhcp(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void* data,
            sd_bus_error*) {
  return sd_bus_message_append(reply, "o", static_cast<MockState*>(data)->dhcpConfig.c_str());
}

int GetActive(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
              sd_bus_error*) {
  return sd_bus_message_append(reply, "o", kActivePath);
}

int GetId(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void* data,
          sd_bus_error*) {
  return sd_bus_message_append(reply, "s", static_cast<MockState*>(data)->connectionName.c_str());
}

const sd_bus_vtable kManagerTable[] = {
    SD_BUS_VTABLE_START(0), SD_BUS_PROPERTY("State", "u", GetState, 0, 0),
    SD_BUS_METHOD("GetDeviceByIpIface", "s", "o", GetDeviceByIpIface, 0), SD_BUS_VTABLE_END};
const sd_bus_vtable kDeviceTable[] = {
    SD_BUS_VTABLE_START(0), SD_BUS_PROPERTY("Dhcp4Config", "o", GetDhcp, 0, 0),
    SD_BUS_PROPERTY("ActiveConnection", "o", GetActive, 0, 0), SD_BUS_VTABLE_END};
const sd_bus_vtable kActiveTable[] = {SD_BUS_VTABLE_START(0),
                                      SD_BUS_PROPERTY("Id", "s", GetId, 0, 0), SD_BUS_VTABLE_END};

class NetworkManagerClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const std::string why = bus_.Start(); !why.empty()) GTEST_SKIP() << why;
    address_ = bus_.Address();
  }

  void TearDown() override { StopService(); }

  // Serves the mock NetworkManager on its own thread until StopService.
  void StartService() {
    sd_bus* bus = nullptr;
    ASSERT_GE(sd_bus_new(&bus), 0);
    sd_bus_set_address(bus, address_.c_str());
    sd_bus_set_bus_client(bus, 1);
    ASSERT_GE(sd_bus_start(bus), 0);
    ASSERT_GE(sd_bus_add_object_vtable(bus, nullptr, kManagerPath, kService, kManagerTable, &mock_),
              0);
    ASSERT_GE(
        sd_bus_add_object_vtable(bus, nullptr, kDevicePath, "org.freedesktop.NetworkManager.Device",
                                 kDeviceTable, &mock_),
        0);
    ASSERT_GE(sd_bus_add_object_vtable(bus, nullptr, kActivePath,
                                       "org.freedesktop.NetworkManager.Connection.Active",
                                       kActiveTable, &mock_),
              0);
    ASSERT_GE(sd_bus_request_name(bus, kService, 0), 0);
    service_ = std::thread([this, bus] {
      while (!stop_) {
        int r = sd_bus_process(bus, nullptr);
        if (r < 0) break;
        if (r == 0) sd_bus_wait(bus, 20'000);
      }
      sd_bus_flush_close_unref(bus);
    });
  }

  void StopService() {
    stop_ = true;
    if (service_.joinable()) service_.join();
  }

  testing::PrivateBus bus_;
  std::string address_;
  MockState mock_;
  std::atomic<bool> stop_{false};
  std::thread service_;
};

TEST_F(NetworkManagerClientTest, AnswersFromTheServiceWhenItRuns) {
  StartService();
  NetworkManagerClient client;
  ASSERT_TRUE(client.Available());
  EXPECT_EQ(client.State(), 70u);
  auto device = client.Device("lo");
  ASSERT_TRUE(device.has_value());
  EXPECT_EQ(device->connectionName, "Office LAN");
  EXPECT_TRUE(device->dhcp);
  EXPECT_FALSE(client.Device("not-managed0").has_value());
}

TEST_F(NetworkManagerClientTest, ConnectionsCarryTheServicesNamesAndDhcpFlag) {
  mock_.dhcpConfig = "/";  // managed, but configured statically
  StartService();
  const auto interfaces = ReadInterfaces({});
  const auto loopback =
      std::find_if(interfaces.begin(), interfaces.end(),
                   [](const InterfaceView& view) { return view.link.name == "lo"; });
  ASSERT_NE(loopback, interfaces.end());
  EXPECT_EQ(loopback->connectionName, "Office LAN");
  EXPECT_FALSE(loopback->dhcp);
  for (const InterfaceView& view : interfaces) {
    if (view.link.name != "lo") {
      EXPECT_EQ(view.connectionName, view.link.name);
    }
  }
}

TEST_F(NetworkManagerClientTest, OnlineStateIsTheServicesOwn) {
  StartService();
  LinuxInternetProbe probe;
  uint32_t state = 0;
  mock_.state = 20;  // NM_STATE_DISCONNECTED
  ASSERT_TRUE(probe.QueryConnectedState(state));
  EXPECT_EQ(state, kInternetStateDisconnected);
  mock_.state = 70;  // NM_STATE_CONNECTED_GLOBAL
  ASSERT_TRUE(probe.QueryConnectedState(state));
  EXPECT_NE(state & kInternetStateDisconnected, kInternetStateDisconnected);
}

TEST_F(NetworkManagerClientTest, BusWithoutTheServiceMeansNotAvailable) {
  NetworkManagerClient client;
  EXPECT_FALSE(client.Available());
  EXPECT_FALSE(client.State().has_value());
  EXPECT_FALSE(client.Device("lo").has_value());
}

}  // namespace
}  // namespace orvane::platform::linux_backend
