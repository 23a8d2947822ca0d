#include <gtest/gtest.h>

#include "wireless/OwnNetworkWay.h"

namespace orvane {
namespace {

using platform::AuthCipherPair;
constexpr AuthCipherPair kWpa2{platform::kDot11AuthRsnaPsk, platform::kDot11CipherCcmp};
constexpr AuthCipherPair kOpenNone{platform::kDot11AuthOpen, platform::kDot11CipherNone};
constexpr AuthCipherPair kOpenWep40{platform::kDot11AuthOpen, platform::kDot11CipherWep40};
constexpr AuthCipherPair kOpenWep{platform::kDot11AuthOpen, platform::kDot11CipherWep};
constexpr AuthCipherPair kSharedWep{platform::kDot11AuthSharedKey, platform::kDot11CipherWep};

TEST(OwnNetworkWay, ThePairOfTheSecurityInUseDecides) {
  struct Case {
    std::vector<AuthCipherPair> pairs;
    NetworkSecurity security;
    OwnNetworkWay way;
  };
  const Case cases[] = {
      {{kOpenNone, kOpenWep40, kWpa2}, NetworkSecurity::Wpa2, OwnNetworkWay::AdHoc},
      {{kOpenNone, kOpenWep40}, NetworkSecurity::Wpa2, OwnNetworkWay::MobileHotspot},
      {{kOpenWep40}, NetworkSecurity::Wep, OwnNetworkWay::AdHoc},
      {{kOpenWep}, NetworkSecurity::Wep, OwnNetworkWay::AdHoc},
      // The ad-hoc profile of a WEP network uses open authentication, not a shared key.
      {{kSharedWep, kWpa2}, NetworkSecurity::Wep, OwnNetworkWay::MobileHotspot},
      {{}, NetworkSecurity::Wpa2, OwnNetworkWay::MobileHotspot},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChooseOwnNetworkWay(true, 0, c.pairs, c.security), c.way)
        << c.pairs.size() << " pairs, " << SecurityName(c.security);
  }
}

TEST(OwnNetworkWay, WithoutAHotspotOrAnAnswerTheAdHocWayStays) {
  EXPECT_EQ(ChooseOwnNetworkWay(false, 0, {}, NetworkSecurity::Wpa2), OwnNetworkWay::AdHoc);
  EXPECT_EQ(ChooseOwnNetworkWay(false, platform::kErrorNotSupported, {}, NetworkSecurity::Wpa2),
            OwnNetworkWay::AdHoc);
  EXPECT_EQ(ChooseOwnNetworkWay(true, platform::kErrorNotSupported, {kWpa2}, NetworkSecurity::Wpa2),
            OwnNetworkWay::MobileHotspot)
      << "an adapter that refuses the question cannot make ad-hoc networks";
  EXPECT_EQ(ChooseOwnNetworkWay(true, 1062, {}, NetworkSecurity::Wpa2), OwnNetworkWay::AdHoc)
      << "the wireless service is down: the ad-hoc way says so itself";
}

}  // namespace
}  // namespace orvane
