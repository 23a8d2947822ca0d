#pragma once

#include <string>
#include <string_view>

namespace orvane {

// The text phones read from a code to join a Wi-Fi network: type, name and key, each field's
// reserved characters (\ ; , " :) escaped with a backslash. The own network uses a WEP key.
std::string WifiJoinText(std::string_view ssid, std::string_view key);

}  // namespace orvane
