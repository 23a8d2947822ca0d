#pragma once

#include <cstdint>
#include <vector>

namespace orvane::platform {

// Interface types as the Linux wireless stack numbers them (nl80211); other backends that can
// answer use the same numbers.
inline constexpr uint32_t kIftypeStation = 2;
inline constexpr uint32_t kIftypeAccessPoint = 3;

inline constexpr uint32_t IftypeBit(uint32_t iftype) {
  return iftype < 32 ? uint32_t{1} << iftype : 0;
}

// One entry of a card's "valid interface combinations": the interfaces it can run at once.
struct InterfaceCombination {
  struct Limit {
    uint32_t max = 0;    // at most this many interfaces of the types below together
    uint32_t types = 0;  // IftypeBit of each type
  };
  std::vector<Limit> limits;
  uint32_t maxInterfaces = 0;  // all interfaces together
  uint32_t channels = 0;       // different channels at once
};

// What the card behind one wireless connection says about itself.
struct WirelessCardFacts {
  bool read = false;            // false: not a wireless card, or the system would not say
  uint32_t supportedTypes = 0;  // IftypeBit of each type the card can run on its own
  std::vector<InterfaceCombination> combinations;
  uint32_t currentType = 0;   // the connection's interface type now
  uint32_t frequencyMHz = 0;  // its channel's frequency; 0 when on none
};

}  // namespace orvane::platform
