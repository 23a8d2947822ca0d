#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/linux/Netlink.h"

namespace orvane::platform::linux_backend {

// Why the interface must not become a private side ("" when it may): a network with a default
// route or an address from a DHCP server already has a router and a DHCP server of its own, and
// a second, authoritative one there would hand out addresses that clash with them.
std::string ServedNetworkReason(const NetlinkSnapshot& machine, uint32_t index,
                                const std::string& interfaceName);

// The gateway address (".1") of the first 192.168.x.0/24 network, x counted up from 137 to 254,
// that no address and no route (of /16 or narrower) of the machine overlaps; none when all are
// taken.
std::optional<std::array<uint8_t, 4>> FreePrivateGateway(const NetlinkSnapshot& machine);

inline constexpr uint8_t kPrivatePrefixLength = 24;

}  // namespace orvane::platform::linux_backend
