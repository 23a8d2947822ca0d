#include "wireless/InternetCheck.h"

#include <cstdint>

namespace orvane {

bool IsInternetAvailable(platform::IInternetProbe& probe) {
  if (!probe.CheckConnection(kInternetProbeUrl, platform::kDefaultProbeTimeout)) return false;
  return IsConnectedState(probe);
}

bool IsConnectedState(platform::IInternetProbe& probe) {
  uint32_t state = 0;
  if (!probe.QueryConnectedState(state)) return false;
  return (state & platform::kInternetStateDisconnected) == 0;
}

}  // namespace orvane
