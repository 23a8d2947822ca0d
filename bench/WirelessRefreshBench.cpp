// Times RefreshNetworks through the NetworkManager wireless library against the mock service
// with 4 Wi-Fi devices seeing 21 networks each, and prints the median of the runs.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "PrivateBus.h"
#include "platform/linux/wireless/NmWirelessLibrary.h"
#include "platform/sim/SimCallLog.h"
#include "platform/sim/SimInternet.h"
#include "platform/sim/SimSystem.h"
#include "support/MockNetworkManager.h"
#include "wireless/WifiNetwork.h"

int main() {
  using Clock = std::chrono::steady_clock;
  using Security = orvane::testing::MockNetworkManager::Security;
  constexpr int kRuns = 15;

  orvane::testing::PrivateBus bus;
  if (const std::string why = bus.Start(); !why.empty()) {
    std::fprintf(stderr, "wireless: %s\n", why.c_str());
    return 1;
  }
  orvane::testing::MockNetworkManager mock(bus.Folder());
  if (!mock.Running()) {
    std::fprintf(stderr, "wireless: needs python3-dbusmock\n");
    return 1;
  }
  for (int d = 0; d < 4; ++d) {
    const std::string device =
        mock.AddWifiDevice("wifi" + std::to_string(d), "wlan" + std::to_string(d));
    for (int n = 0; n < 21; ++n) {
      const std::string name = "d" + std::to_string(d) + "n" + std::to_string(n);
      mock.AddAccessPoint(
          device, name, "Network " + std::to_string(n), 2, static_cast<uint8_t>(20 + 3 * n),
          n % 3 == 0 ? Security::Wep : (n % 3 == 1 ? Security::Wpa : Security::Open));
    }
  }

  orvane::sim::SimCallLog log;
  orvane::sim::SimInternet internet(log);
  orvane::sim::SimSystem system(log);
  orvane::TWifiConnection wifi(orvane::platform::linux_backend::NetworkManagerWirelessLibrary(),
                               internet, system);
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = Clock::now();
    wifi.RefreshNetworks();
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  if (wifi.NetworkCount() != 4 * 21) {
    std::fprintf(stderr, "wireless: the refresh listed %d networks, not 84\n", wifi.NetworkCount());
    return 1;
  }
  std::sort(times.begin(), times.end());
  std::printf("wireless_refresh_ms: %.1f ms\n", times[times.size() / 2]);
  return 0;
}
