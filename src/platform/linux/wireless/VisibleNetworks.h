#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/WlanRecords.h"

namespace orvane::platform::linux_backend {

// One access point as NetworkManager reports it.
struct AccessPointFacts {
  std::string path;
  std::vector<uint8_t> ssid;
  uint32_t mode = 0;  // NM80211Mode: 1 ad-hoc, 2 infrastructure
  uint32_t flags = 0;
  uint32_t wpaFlags = 0;
  uint32_t rsnFlags = 0;
  uint8_t strength = 0;
};

// Kind 1 is a WEP network, what this program creates (an access point on Linux, an ad-hoc
// network elsewhere); 2 a WPA network; 3 an open one.
uint8_t KindOf(const AccessPointFacts& accessPoint);

// The network list of one device: one entry per name and mode with its strongest access
// point, strongest first, hidden networks left out, at most 21. State 0 marks the network of
// the access point the device is connected to. value1 carries the mode, value2 the WPA and
// RSN flags, which is what joining needs. A device that is an access point itself lists its
// own hotspot as its active access point (NetworkManager reports it as an infrastructure one);
// that one is left out.
std::vector<wlan::NetworkListEntry> VisibleNetworks(const std::vector<AccessPointFacts>& found,
                                                    const std::string& activeAccessPoint,
                                                    bool deviceIsAccessPoint = false);

}  // namespace orvane::platform::linux_backend
