#pragma once

#include "platform/InternetProbe.h"

namespace orvane {

// The public web address the forced connection attempt goes to.
inline constexpr const char* kInternetProbeUrl = "http://www.example.com/";

// True only when a forced connection to the probe address succeeds (bounded by the default
// probe timeout) and the system's connected state does not say it is offline. Keeps no state:
// safe to call from several threads at once.
bool IsInternetAvailable(platform::IInternetProbe& probe);

// The system's connected-state query alone: false when the query fails or reports offline.
bool IsConnectedState(platform::IInternetProbe& probe);

}  // namespace orvane
