#pragma once

#include <string>

#include "platform/sim/SimMachine.h"

namespace orvane::sim {

// The connections of the demo scene, so a demo or a test can find them again.
inline constexpr const char* kDemoWiredGuid = "{4D36E972-E325-11CE-BFC1-08002BE10318}";
inline constexpr const char* kDemoVpnGuid = "{7C1F4E2A-90B3-4D5C-8E6F-A1B2C3D4E5F6}";
inline constexpr const char* kDemoBuiltInWifiGuid = "{1E5A8C3B-6D2F-4A7E-9B1C-2F3E4D5A6B7C}";
inline constexpr const char* kDemoUsbWifiGuid = "{9A8B7C6D-5E4F-4321-8765-0FEDCBA98765}";

// Seeds the machine with a believable laptop: a wired PCI connection online, a built-in and a
// USB Wi-Fi adapter, a VPN connection, the Internet reachable, and several networks in range,
// one of them an ad-hoc network named ownNetworkName. The program file and its settings live
// in programFolder (a folder with trailing separator).
void SeedDemoScene(SimMachine& machine, const std::string& ownNetworkName,
                   const std::string& programFolder);

}  // namespace orvane::sim
