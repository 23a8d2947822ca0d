#pragma once

#include <string>
#include <string_view>

#include "common/NetworkSecurity.h"

namespace orvane {

// The text phones read from a code to join a Wi-Fi network: type, name and key, each field's
// reserved characters (\ ; , " :) escaped with a backslash; the type is WPA for a WPA2
// network, WEP for a WEP one.
std::string WifiJoinText(std::string_view ssid, std::string_view key, NetworkSecurity security);

}  // namespace orvane
