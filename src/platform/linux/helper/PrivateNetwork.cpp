#include "platform/linux/helper/PrivateNetwork.h"

#include <algorithm>

namespace orvane::platform::linux_backend {
namespace {

constexpr uint8_t kFirstThirdOctet = 137;
constexpr uint8_t kLastThirdOctet = 254;
// Wider routes (a VPN's 128.0.0.0/1) only stand behind the private network's own, more specific
// route; a /16 or narrower one leads to a real network that the private one would hide.
constexpr uint8_t kNarrowestWideRoute = 16;

uint32_t ToNumber(const std::array<uint8_t, 4>& a) {
  return uint32_t{a[0]} << 24 | uint32_t{a[1]} << 16 | uint32_t{a[2]} << 8 | a[3];
}

// Two networks overlap when they agree on the shorter of their two prefixes.
bool Overlap(const std::array<uint8_t, 4>& a, uint8_t aPrefix, const std::array<uint8_t, 4>& b,
             uint8_t bPrefix) {
  const uint32_t mask = ToNumber(PrefixMask(std::min(aPrefix, bPrefix)));
  return (ToNumber(a) & mask) == (ToNumber(b) & mask);
}

}  // namespace

std::string PrivateSideReason(const NetlinkSnapshot& machine, uint32_t index,
                              const std::string& interfaceName, bool ownAccessPoint) {
  for (const auto* routes : {&machine.defaultRoutes, &machine.otherTableDefaultRoutes})
    for (const DefaultRoute& route : *routes)
      if (route.index == index)
        return interfaceName + " carries a default route: it is a way out, not a network to serve";
  for (const Ipv4Address& address : machine.addresses) {
    if (address.index != index) continue;
    if (!address.permanent)
      return interfaceName + " has an address from a DHCP server, which serves that network";
    if (!ownAccessPoint)
      return interfaceName + " already has an address (" + Ipv4Text(address.address) + "/" +
             std::to_string(address.prefixLength) +
             "), so it is on a network of its own: remove the address to share to it";
    if (NetworkClashes(machine, address.address, address.prefixLength, index))
      return interfaceName + "'s address " + Ipv4Text(address.address) +
             " overlaps another network of this machine";
  }
  return {};
}

bool NetworkClashes(const NetlinkSnapshot& machine, const std::array<uint8_t, 4>& address,
                    uint8_t prefixLength, uint32_t index) {
  return std::any_of(machine.addresses.begin(), machine.addresses.end(),
                     [&](const Ipv4Address& used) {
                       return used.index != index &&
                              Overlap(address, prefixLength, used.address, used.prefixLength);
                     }) ||
         std::any_of(machine.networkRoutes.begin(), machine.networkRoutes.end(),
                     [&](const NetworkRoute& used) {
                       return used.index != index && used.prefixLength >= kNarrowestWideRoute &&
                              Overlap(address, prefixLength, used.destination, used.prefixLength);
                     });
}

std::optional<std::array<uint8_t, 4>> FreePrivateGateway(const NetlinkSnapshot& machine) {
  for (unsigned third = kFirstThirdOctet; third <= kLastThirdOctet; ++third) {
    const std::array<uint8_t, 4> network = {192, 168, static_cast<uint8_t>(third), 0};
    const bool taken = std::any_of(machine.addresses.begin(), machine.addresses.end(),
                                   [&](const Ipv4Address& used) {
                                     return Overlap(network, kPrivatePrefixLength, used.address,
                                                    used.prefixLength);
                                   }) ||
                       std::any_of(machine.networkRoutes.begin(), machine.networkRoutes.end(),
                                   [&](const NetworkRoute& used) {
                                     return used.prefixLength >= kNarrowestWideRoute &&
                                            Overlap(network, kPrivatePrefixLength, used.destination,
                                                    used.prefixLength);
                                   });
    if (!taken) return std::array<uint8_t, 4>{192, 168, static_cast<uint8_t>(third), 1};
  }
  return std::nullopt;
}

}  // namespace orvane::platform::linux_backend
