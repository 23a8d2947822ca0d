#pragma once

#include <cstdint>
#include <vector>

#include "common/NetworkSecurity.h"
#include "platform/MobileHotspot.h"

namespace orvane {

// How the own network is made: as the ad-hoc network of the wireless library (and the
// connection shared to it), or by Windows' Mobile Hotspot, which shares the source itself.
enum class OwnNetworkWay { AdHoc, MobileHotspot };

// Whether the adapter can make an ad-hoc network with the security in use, from Native Wifi's
// answer (queryCode, and the pairs it listed when that is 0).
bool AdHocSupports(const std::vector<platform::AuthCipherPair>& pairs, NetworkSecurity security);

// The way for one adapter. Without a Mobile Hotspot on the system, or when Native Wifi could not
// be asked for a reason other than the adapter's, the ad-hoc network stays: its own errors then
// say what is wrong. An adapter that answers, but not with the security in use, or that cannot
// answer the question at all, takes the Mobile Hotspot.
OwnNetworkWay ChooseOwnNetworkWay(bool hotspotPresent, uint32_t queryCode,
                                  const std::vector<platform::AuthCipherPair>& pairs,
                                  NetworkSecurity security);

}  // namespace orvane
