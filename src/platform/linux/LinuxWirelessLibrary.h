#pragma once

#include "platform/WirelessLibrary.h"

namespace orvane::platform::linux_backend {

// The wireless library until the NetworkManager one is built: it has no interface, so the
// components see a machine without wireless and do nothing with the radio.
const WirelessLibrary& NoWirelessLibrary();

}  // namespace orvane::platform::linux_backend
