#include "platform/linux/wireless/VisibleNetworks.h"

#include <algorithm>

#include "platform/Utf16.h"

namespace orvane::platform::linux_backend {
namespace {

constexpr uint32_t kFlagPrivacy = 0x1;

struct Group {
  const AccessPointFacts* strongest;
  bool connected;
};

}  // namespace

uint8_t KindOf(const AccessPointFacts& accessPoint) {
  if ((accessPoint.wpaFlags | accessPoint.rsnFlags) != 0) return 2;
  return (accessPoint.flags & kFlagPrivacy) != 0 ? 1 : 3;
}

std::vector<wlan::NetworkListEntry> VisibleNetworks(const std::vector<AccessPointFacts>& found,
                                                    const std::string& activeAccessPoint,
                                                    bool deviceIsAccessPoint) {
  std::vector<Group> groups;
  for (const AccessPointFacts& accessPoint : found) {
    if (accessPoint.ssid.empty() || std::all_of(accessPoint.ssid.begin(), accessPoint.ssid.end(),
                                                [](uint8_t byte) { return byte == 0; }))
      continue;  // a hidden network: nothing to show or join by name
    const bool connected = !activeAccessPoint.empty() && accessPoint.path == activeAccessPoint;
    // The device's own hotspot, which it does not hear: joining it would take the hotspot down.
    if (connected && deviceIsAccessPoint) continue;
    auto same = std::find_if(groups.begin(), groups.end(), [&](const Group& group) {
      return group.strongest->ssid == accessPoint.ssid && group.strongest->mode == accessPoint.mode;
    });
    if (same == groups.end()) {
      groups.push_back({&accessPoint, connected});
      continue;
    }
    if (accessPoint.strength > same->strongest->strength) same->strongest = &accessPoint;
    same->connected = same->connected || connected;
  }
  std::stable_sort(groups.begin(), groups.end(), [](const Group& a, const Group& b) {
    return a.strongest->strength > b.strongest->strength;
  });
  if (groups.size() > wlan::kMaxNetworks) groups.resize(wlan::kMaxNetworks);

  std::vector<wlan::NetworkListEntry> entries;
  for (const Group& group : groups) {
    const AccessPointFacts& ap = *group.strongest;
    std::u16string ssid = Utf8ToUtf16(std::string(ap.ssid.begin(), ap.ssid.end()));
    entries.push_back({std::move(ssid), static_cast<uint8_t>(group.connected ? 0 : 1), KindOf(ap),
                       ap.mode, ap.wpaFlags | ap.rsnFlags});
  }
  return entries;
}

}  // namespace orvane::platform::linux_backend
