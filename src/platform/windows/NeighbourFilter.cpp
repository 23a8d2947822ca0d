#include "platform/windows/NeighbourFilter.h"

#include <algorithm>
#include <cstdio>

namespace orvane::platform::windows_backend {
namespace {

// Unreachable and incomplete entries are devices that did not answer; permanent ones are set by
// hand or by the system for broadcast and multicast, not learnt from a device.
bool SaysPresent(NeighbourState state) {
  switch (state) {
    case NeighbourState::kReachable:
    case NeighbourState::kStale:
    case NeighbourState::kDelay:
    case NeighbourState::kProbe:
      return true;
    default:
      return false;
  }
}

// A device's own address: six bytes, not all zero, and not a group address (the lowest bit of
// the first byte), which the broadcast address is as well.
bool IsDeviceHardwareAddress(const std::vector<uint8_t>& address) {
  if (address.size() != 6) return false;
  if ((address[0] & 0x01) != 0) return false;
  return std::any_of(address.begin(), address.end(), [](uint8_t byte) { return byte != 0; });
}

bool IsSubnetBroadcast(uint32_t address, const InterfaceSubnet& subnet) {
  // A /31 or /32 has no broadcast address; a prefix past 32 is not a subnet at all.
  if (subnet.prefixLength >= 31) return false;
  const uint32_t hostBits = 0xFFFFFFFFu >> subnet.prefixLength;
  return address == (subnet.address | hostBits) && (address & ~hostBits) != 0;
}

bool IsUnicast(uint32_t address, const std::vector<InterfaceSubnet>& subnets) {
  if (address == 0 || address == 0xFFFFFFFFu) return false;
  if ((address >> 28) == 0xE) return false;  // 224.0.0.0/4
  return std::none_of(subnets.begin(), subnets.end(), [&](const InterfaceSubnet& subnet) {
    return IsSubnetBroadcast(address, subnet);
  });
}

std::string HardwareText(const std::vector<uint8_t>& address) {
  char text[18];
  std::snprintf(text, sizeof(text), "%02x:%02x:%02x:%02x:%02x:%02x", address[0], address[1],
                address[2], address[3], address[4], address[5]);
  return text;
}

std::string Ipv4Text(uint32_t address) {
  return std::to_string(address >> 24) + '.' + std::to_string((address >> 16) & 0xFF) + '.' +
         std::to_string((address >> 8) & 0xFF) + '.' + std::to_string(address & 0xFF);
}

}  // namespace

std::vector<ConnectedDevice> DevicesOnInterface(const std::vector<NeighbourRow>& rows,
                                                uint64_t interfaceLuid,
                                                const std::vector<InterfaceSubnet>& subnets) {
  std::vector<ConnectedDevice> devices;
  for (const NeighbourRow& row : rows) {
    if (row.interfaceLuid != interfaceLuid || !SaysPresent(row.state) ||
        !IsDeviceHardwareAddress(row.hardwareAddress) || !IsUnicast(row.ipv4Address, subnets))
      continue;
    devices.push_back({"", HardwareText(row.hardwareAddress), Ipv4Text(row.ipv4Address)});
  }
  return devices;
}

}  // namespace orvane::platform::windows_backend
