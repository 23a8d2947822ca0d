#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/SharingService.h"

namespace orvane::platform::windows_backend {

// The neighbour states of the IPv4 neighbour table, numbered as the system numbers them.
enum class NeighbourState : uint32_t {
  kUnreachable = 0,
  kIncomplete = 1,
  kProbe = 2,
  kDelay = 3,
  kStale = 4,
  kReachable = 5,
  kPermanent = 6,
};

// One row of the IPv4 neighbour table, copied out of the system's table.
struct NeighbourRow {
  uint64_t interfaceLuid = 0;
  uint32_t ipv4Address = 0;  // host byte order
  std::vector<uint8_t> hardwareAddress;
  NeighbourState state = NeighbourState::kUnreachable;
};

// One IPv4 address the interface itself holds, with its on-link prefix.
struct InterfaceSubnet {
  uint32_t address = 0;  // host byte order
  uint8_t prefixLength = 0;
};

// The rows of one interface that are devices using it: a device's own 6-byte hardware address,
// a state saying it is there, and a unicast address that is not a broadcast of the interface's
// subnets. Devices keep the table's order and carry no name: the table has none.
std::vector<ConnectedDevice> DevicesOnInterface(const std::vector<NeighbourRow>& rows,
                                                uint64_t interfaceLuid,
                                                const std::vector<InterfaceSubnet>& subnets);

}  // namespace orvane::platform::windows_backend
