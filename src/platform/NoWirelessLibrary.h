#pragma once

#include "platform/WirelessLibrary.h"

namespace orvane::platform {

// A wireless library with no interface, for a machine whose own library is missing or not yet
// built: the components see a machine without wireless and do nothing with the radio.
const WirelessLibrary& NoWirelessLibrary();

}  // namespace orvane::platform
