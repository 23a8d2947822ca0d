#include "wireless/OwnNetworkWay.h"

#include <algorithm>

namespace orvane {

bool AdHocSupports(const std::vector<platform::AuthCipherPair>& pairs, NetworkSecurity security) {
  return std::any_of(pairs.begin(), pairs.end(), [security](const platform::AuthCipherPair& pair) {
    if (security == NetworkSecurity::Wpa2) {
      return pair.authentication == platform::kDot11AuthRsnaPsk &&
             pair.cipher == platform::kDot11CipherCcmp;
    }
    // The ad-hoc profile of a WEP network is open authentication with a WEP key of either size.
    return pair.authentication == platform::kDot11AuthOpen &&
           (pair.cipher == platform::kDot11CipherWep ||
            pair.cipher == platform::kDot11CipherWep40 ||
            pair.cipher == platform::kDot11CipherWep104);
  });
}

OwnNetworkWay ChooseOwnNetworkWay(bool hotspotPresent, uint32_t queryCode,
                                  const std::vector<platform::AuthCipherPair>& pairs,
                                  NetworkSecurity security) {
  if (!hotspotPresent) return OwnNetworkWay::AdHoc;
  if (queryCode == 0) {
    return AdHocSupports(pairs, security) ? OwnNetworkWay::AdHoc : OwnNetworkWay::MobileHotspot;
  }
  // Drivers without ad-hoc support (WDI, WiFiCx) refuse the question itself.
  return queryCode == platform::kErrorNotSupported ? OwnNetworkWay::MobileHotspot
                                                   : OwnNetworkWay::AdHoc;
}

}  // namespace orvane
