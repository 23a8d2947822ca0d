#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "platform/SharingService.h"

namespace orvane {

// One device that uses the sharing, with the time it was first seen in this run.
struct TConnectedDevice {
  std::string Name;  // as the device gave it; empty when it gave none
  std::string HardwareAddress;
  std::string IPv4Address;
  std::chrono::system_clock::time_point Since;
  friend bool operator==(const TConnectedDevice&, const TConnectedDevice&) = default;
};

// The devices that use the sharing, as the last check found them. The system only knows who is
// there now, so "since when" is when a device was first seen; one that leaves and comes back
// counts from its return.
class TConnectedDeviceList {
 public:
  // Takes the system's latest list (a hardware address listed twice counts once); answers
  // whether the list changed.
  bool Update(const std::vector<platform::ConnectedDevice>& current,
              std::chrono::system_clock::time_point now);
  // Forgets every device (sharing stopped); answers whether there were any.
  bool Clear();
  // Oldest first, then by address, so the rows do not jump between checks.
  const std::vector<TConnectedDevice>& Devices() const { return devices_; }

 private:
  std::vector<TConnectedDevice> devices_;
};

}  // namespace orvane
