#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvane::platform::linux_backend {

// One network interface as the kernel's link table reports it.
struct LinkInfo {
  uint32_t index = 0;
  std::string name;
  uint16_t arpType = 0;   // ARPHRD_*
  uint32_t flags = 0;     // IFF_*
  uint8_t operState = 0;  // IF_OPER_* of the kernel (RFC 2863 numbering)
  std::vector<uint8_t> hardwareAddress;
  std::string kind;  // IFLA_INFO_KIND: "veth", "bridge", "tun"...; empty for hardware
};

struct Ipv4Address {
  uint32_t index = 0;
  std::array<uint8_t, 4> address{};
  uint8_t prefixLength = 0;
  bool permanent = true;  // false when the address has a lifetime (handed out by a lease)
};

struct DefaultRoute {
  uint32_t index = 0;
  std::optional<std::array<uint8_t, 4>> gateway;
};

// A route to a network (not a default route), from any routing table.
struct NetworkRoute {
  uint32_t index = 0;
  std::array<uint8_t, 4> destination{};
  uint8_t prefixLength = 0;
};

// A snapshot of the kernel's routing tables, in the kernel's order.
struct NetlinkSnapshot {
  std::vector<LinkInfo> links;
  std::vector<Ipv4Address> addresses;
  std::vector<DefaultRoute> defaultRoutes;  // IPv4 main table
  // IPv4, every other table: the ways out of policy routing (VPN clients, multi-homed hosts).
  std::vector<DefaultRoute> otherTableDefaultRoutes;
  std::vector<NetworkRoute> networkRoutes;  // IPv4 unicast, every table
  bool hasIpv6DefaultRoute = false;
  std::vector<uint32_t> ipv6DefaultRouteLinks;  // the link index of each IPv6 default route
};

// Thrown when the kernel refuses or the socket fails; carries errno.
struct NetlinkError {
  int error = 0;
};

// Reads links, IPv4 addresses and default routes of the calling thread's network namespace.
// Throws NetlinkError.
NetlinkSnapshot ReadNetlinkSnapshot();

// Adds or removes an IPv4 address on an interface. Answer 0 or errno.
int AddIpv4Address(uint32_t index, const std::array<uint8_t, 4>& address, uint8_t prefixLength);
int DeleteIpv4Address(uint32_t index, const std::array<uint8_t, 4>& address, uint8_t prefixLength);

std::string Ipv4Text(const std::array<uint8_t, 4>& address);
std::optional<std::array<uint8_t, 4>> ParseIpv4(const std::string& text);
std::array<uint8_t, 4> PrefixMask(uint8_t prefixLength);

}  // namespace orvane::platform::linux_backend
