#include "wireless/ApBesideStation.h"

#include <cstddef>

namespace orvane {

bool AdmitsStationAndAccessPoint(const platform::InterfaceCombination& combination) {
  using platform::IftypeBit;
  // The access point takes the station's channel, so one channel is enough.
  if (combination.maxInterfaces < 2 || combination.channels < 1) return false;
  const auto& limits = combination.limits;
  // Each interface counts against one limit that names its type; both may share one limit
  // only when it allows two.
  for (std::size_t station = 0; station < limits.size(); ++station) {
    if ((limits[station].types & IftypeBit(platform::kIftypeStation)) == 0 ||
        limits[station].max < 1) {
      continue;
    }
    for (std::size_t ap = 0; ap < limits.size(); ++ap) {
      if ((limits[ap].types & IftypeBit(platform::kIftypeAccessPoint)) == 0) continue;
      const uint32_t needed = ap == station ? 2 : 1;
      if (limits[ap].max >= needed) return true;
    }
  }
  return false;
}

ApBesideStation CheckApBesideStation(const platform::WirelessCardFacts& card) {
  if (!card.read) return ApBesideStation::kCardUnknown;
  if ((card.supportedTypes & platform::IftypeBit(platform::kIftypeAccessPoint)) == 0)
    return ApBesideStation::kNoAccessPointMode;
  bool admitted = false;
  for (const auto& combination : card.combinations)
    admitted = admitted || AdmitsStationAndAccessPoint(combination);
  if (!admitted) return ApBesideStation::kNoCombination;
  if (card.currentType != platform::kIftypeStation || card.frequencyMHz == 0)
    return ApBesideStation::kNotConnected;
  return ApBesideStation::kPossible;
}

}  // namespace orvane
