#include "platform/sim/SimDemoScene.h"

#include <vector>

namespace orvane::sim {
namespace {

constexpr uint32_t kMediaTunnel = 5;
constexpr uint32_t kAdapterTypeWireless = 71;
constexpr uint8_t kAdHoc = 1;
constexpr uint8_t kInfrastructure = 2;
constexpr uint32_t kZeroConfigFlags = 0x8000;

void AddConnections(SimMachine& machine) {
  machine.AddConnection({.guid = kDemoVpnGuid,
                         .name = "Office VPN",
                         .deviceName = "WAN Miniport (PPTP)",
                         .mediaType = kMediaTunnel,
                         .pnpInstanceId = "ROOT\\MS_PPTPMINIPORT\\0000",
                         .hasAdapter = false});
  machine.AddConnection(
      {.guid = kDemoWiredGuid,
       .name = "Local Area Connection",
       .deviceName = "Intel(R) 82579LM Gigabit Network Connection",
       .pnpInstanceId = "PCI\\VEN_8086&DEV_1502&SUBSYS_21CE17AA&REV_04\\3&E89B380&0&C8",
       .ipAddress = "192.168.1.23",
       .ipMask = "255.255.255.0",
       .gateway = "192.168.1.1"});
  machine.AddConnection(
      {.guid = kDemoBuiltInWifiGuid,
       .name = "Wireless Network Connection",
       .deviceName = "Intel(R) Centrino(R) Advanced-N 6205",
       .status = platform::kNcsMediaDisconnected,
       .pnpInstanceId = "PCI\\VEN_8086&DEV_0085&SUBSYS_13118086&REV_34\\4&1F2C3&0&00E1",
       .wireless = true,
       .adapterType = kAdapterTypeWireless});
  machine.AddConnection(
      {.guid = kDemoUsbWifiGuid,
       .name = "Wireless Network Connection 2",
       .deviceName = "Realtek RTL8188CUS Wireless LAN 802.11n USB 2.0 Network Adapter",
       .status = platform::kNcsMediaDisconnected,
       .pnpInstanceId = "USB\\VID_0BDA&PID_8176\\00E04C000001",
       .wireless = true,
       .adapterType = kAdapterTypeWireless});
}

// Two phones and a laptop that join whichever Wi-Fi connection is shared; one gave no name.
void AddGuests(SimMachine& machine) {
  const std::vector<platform::ConnectedDevice> guests = {
      {.name = "Annas-Phone",
       .hardwareAddress = "3c:22:fb:41:8e:07",
       .ipv4Address = "192.168.0.23"},
      {.name = "", .hardwareAddress = "a4:83:e7:12:c9:5d", .ipv4Address = "192.168.0.57"},
      {.name = "kitchen-laptop",
       .hardwareAddress = "f0:18:98:6a:3b:e2",
       .ipv4Address = "192.168.0.112"},
  };
  machine.Sharing().SetConnectedDevices(kDemoBuiltInWifiGuid, guests);
  machine.Sharing().SetConnectedDevices(kDemoUsbWifiGuid, guests);
}

void AddVisibleNetworks(SimMachine& machine, const std::string& ownNetworkName) {
  SimSystem& system = machine.System();
  SimRadio& radio = machine.Radio();
  const auto network = [&](const std::string& ssid, uint8_t kind) {
    return SimVisibleNetwork{.ssid = system.ToUtf16(ssid), .kind = kind, .key = u""};
  };
  const std::u16string builtIn = system.ToUtf16(kDemoBuiltInWifiGuid);
  radio.AddNetwork(builtIn, network("HomeNet-5G", kInfrastructure));
  radio.AddNetwork(builtIn, network("CoffeeCorner Guest", kInfrastructure));
  radio.AddNetwork(builtIn, network(ownNetworkName, kAdHoc));
  radio.AddNetwork(builtIn, network("NETGEAR42", kInfrastructure));
  const std::u16string usb = system.ToUtf16(kDemoUsbWifiGuid);
  radio.AddNetwork(usb, network("HomeNet-5G", kInfrastructure));
  radio.AddNetwork(usb, network("Library WiFi", kInfrastructure));
}

}  // namespace

void SeedDemoScene(SimMachine& machine, const std::string& ownNetworkName,
                   const std::string& programFolder) {
  machine.System().SetExecutablePath(programFolder + "orvane-demo");
  // The About box shows this as "Version 1.0.0.0".
  machine.System().SetFileVersion(programFolder + "orvane-demo", {0x00010000, 0x00000000});
  machine.System().SetSettingsFolder(programFolder);
  AddConnections(machine);
  AddGuests(machine);
  AddVisibleNetworks(machine, ownNetworkName);
  machine.Internet().SetReachable(true);
  machine.Internet().SetConnectedState(true);
  // The wireless configuration service, running and managing the built-in adapter.
  machine.Services().AddService("wzcsvc", platform::kServiceRunning);
  machine.Wzc().SetControlFlags(kDemoBuiltInWifiGuid, kZeroConfigFlags);
}

}  // namespace orvane::sim
