#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/linux/Netlink.h"

namespace orvane::platform::linux_backend {

// Why the interface must not become a private side ("" when it may). A network with a default
// route (in any routing table) or with an address the helper did not give it is somebody's
// network already, with a router or a DHCP server or other hosts of its own; a second,
// authoritative DHCP server there would hand out addresses that clash with theirs. The one
// address accepted is the one NetworkManager keeps on Orvane's own access point
// (ownAccessPoint), and only if it does not overlap another network of the machine.
std::string PrivateSideReason(const NetlinkSnapshot& machine, uint32_t index,
                              const std::string& interfaceName, bool ownAccessPoint);

// Whether a network overlaps an address or a route (of /16 or narrower) of any interface but
// the one at index.
bool NetworkClashes(const NetlinkSnapshot& machine, const std::array<uint8_t, 4>& address,
                    uint8_t prefixLength, uint32_t index);

// The gateway address (".1") of the first 192.168.x.0/24 network, x counted up from 137 to 254,
// that no address and no route (of /16 or narrower) of the machine overlaps; none when all are
// taken.
std::optional<std::array<uint8_t, 4>> FreePrivateGateway(const NetlinkSnapshot& machine);

inline constexpr uint8_t kPrivatePrefixLength = 24;

}  // namespace orvane::platform::linux_backend
