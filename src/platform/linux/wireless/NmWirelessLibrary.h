#pragma once

#include "platform/WirelessLibrary.h"

namespace orvane::platform::linux_backend {

// The wireless library over NetworkManager: Wi-Fi devices, their access points, the own
// network as an access-point profile, joining and leaving, and device state changes as
// notifications. Identifiers are the interfaces' GUID texts as the adapter inventory gives
// them. Calls run on the caller's thread, one at a time, each NetworkManager request bounded
// by a timeout; notifications come from the library's own thread.
const WirelessLibrary& NetworkManagerWirelessLibrary();

}  // namespace orvane::platform::linux_backend
