#include "network/ConnectedDevices.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace orvane {

bool TConnectedDeviceList::Update(const std::vector<platform::ConnectedDevice>& current,
                                  std::chrono::system_clock::time_point now) {
  std::vector<TConnectedDevice> next;
  std::set<std::string> seen;
  for (const platform::ConnectedDevice& device : current) {
    if (!seen.insert(device.hardwareAddress).second) continue;
    const auto known =
        std::ranges::find(devices_, device.hardwareAddress, &TConnectedDevice::HardwareAddress);
    next.push_back({device.name, device.hardwareAddress, device.ipv4Address,
                    known == devices_.end() ? now : known->Since});
  }
  std::ranges::sort(next, [](const TConnectedDevice& a, const TConnectedDevice& b) {
    return std::tie(a.Since, a.HardwareAddress) < std::tie(b.Since, b.HardwareAddress);
  });
  if (next == devices_) return false;
  devices_ = std::move(next);
  return true;
}

bool TConnectedDeviceList::Clear() {
  const bool had = !devices_.empty();
  devices_.clear();
  return had;
}

}  // namespace orvane
