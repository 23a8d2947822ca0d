#pragma once

#include "platform/WirelessCard.h"

namespace orvane {

// Whether a card connected to a Wi-Fi network as a station can also run an access point of its
// own beside it, on the same radio and channel.
enum class ApBesideStation {
  kPossible,
  kCardUnknown,        // the system would not tell what the card can do
  kNotConnected,       // the connection is not a station on a channel now
  kNoAccessPointMode,  // the card cannot be an access point at all
  kNoCombination,      // it can, but not while it is connected as a station
};

ApBesideStation CheckApBesideStation(const platform::WirelessCardFacts& card);

// Whether one combination admits a station and an access point at once on one channel.
bool AdmitsStationAndAccessPoint(const platform::InterfaceCombination& combination);

}  // namespace orvane
