#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/SharingService.h"
#include "platform/linux/InterfaceFacts.h"
#include "platform/linux/Netlink.h"

namespace orvane::platform::linux_backend {

// Interface-type numbers of the IP layer's adapter records.
inline constexpr uint32_t kIfTypeOther = 1;
inline constexpr uint32_t kIfTypeEthernet = 6;
inline constexpr uint32_t kIfTypePpp = 23;
inline constexpr uint32_t kIfTypeLoopback = 24;
inline constexpr uint32_t kIfTypeIeee80211 = 71;
inline constexpr uint32_t kIfTypeTunnel = 131;

// Operational status in the interface table's numbering (IF_OPER_STATUS_*).
inline constexpr uint32_t kOperNonOperational = 0;
inline constexpr uint32_t kOperDisconnected = 2;
inline constexpr uint32_t kOperConnecting = 3;
inline constexpr uint32_t kOperOperational = 5;

// NETCON_MEDIATYPE numbers beyond LAN.
inline constexpr uint32_t kNcmPhone = 4;
inline constexpr uint32_t kNcmTunnel = 5;
inline constexpr uint32_t kNcmBridge = 7;

uint32_t AdapterTypeOf(uint16_t arpType, bool wireless);
uint32_t OperStatusOf(uint32_t flags, uint8_t operState);
uint32_t NetconStatusOf(uint32_t flags, uint8_t operState);
uint32_t MediaTypeOf(uint32_t adapterType, const std::string& linkKind);

// One interface with everything the platform answers about it.
struct InterfaceView {
  LinkInfo link;
  Guid guid;
  std::string guidText;
  InterfaceFacts facts;
  uint32_t adapterType = kIfTypeOther;
  bool dhcp = false;
  std::string connectionName;  // NetworkManager's name, else the interface name
  std::vector<Ipv4Address> addresses;
  std::vector<DefaultRoute> gateways;
  bool IsLoopback() const { return adapterType == kIfTypeLoopback; }
};

// Where the backend reads the machine from; tests point sysfs elsewhere.
struct MachinePaths {
  std::string sysfsNet = "/sys/class/net";
  std::string networkdLeases = "/run/systemd/netif/leases";
};

// Every interface of the caller's network namespace, in the kernel's order. Throws
// NetlinkError when the kernel cannot be asked.
std::vector<InterfaceView> ReadInterfaces(const MachinePaths& paths);

// GUID texts compare without regard to case, as the components match them.
bool SameGuidText(const std::string& a, const std::string& b);

// The interface with this GUID text (case ignored); nullptr when none has it.
const InterfaceView* FindByGuid(const std::vector<InterfaceView>& interfaces,
                                const std::string& guidText);

}  // namespace orvane::platform::linux_backend
