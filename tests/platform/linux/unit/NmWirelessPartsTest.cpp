// The wireless library's own decisions, without a bus: which access points make the network
// list, and which keys and kinds a profile can be built from.

#include <gtest/gtest.h>

#include "platform/linux/wireless/NmProfiles.h"
#include "platform/linux/wireless/VisibleNetworks.h"
#include "platform/linux/wireless/WirelessCodes.h"

namespace orvane::platform::linux_backend {
namespace {

namespace codes = wireless_codes;

AccessPointFacts Ap(const std::string& ssid, uint8_t strength, uint32_t mode = 2) {
  AccessPointFacts ap;
  ap.path = "/ap/" + ssid + std::to_string(strength) + std::to_string(mode);
  ap.ssid.assign(ssid.begin(), ssid.end());
  ap.strength = strength;
  ap.mode = mode;
  return ap;
}

TEST(NmVisibleNetworksTest, AtMost21AndTheWeakestAreLeftOut) {
  std::vector<AccessPointFacts> found;
  for (int i = 0; i < 30; ++i)
    found.push_back(Ap("net" + std::to_string(i), static_cast<uint8_t>(i)));
  found.push_back(Ap(std::string(3, '\0'), 100));  // hidden: its name is all zero bytes
  const auto entries = VisibleNetworks(found, "");
  ASSERT_EQ(entries.size(), wlan::kMaxNetworks);
  EXPECT_EQ(entries.front().ssid, u"net29");
  EXPECT_EQ(entries.back().ssid, u"net9");
}

TEST(NmVisibleNetworksTest, TheConnectedAccessPointMarksItsNetworkEvenWhenWeaker) {
  std::vector<AccessPointFacts> found = {Ap("Home", 80), Ap("Home", 30)};
  const auto entries = VisibleNetworks(found, found[1].path);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].state, 0);
}

TEST(NmVisibleNetworksTest, AnAccessPointDevicesOwnHotspotIsLeftOutOfItsList) {
  // NetworkManager lists a hotspot as the device's active, infrastructure-mode access point.
  const std::vector<AccessPointFacts> found = {Ap("Mine", 100), Ap("Other", 40)};
  const auto asAccessPoint = VisibleNetworks(found, found[0].path, true);
  ASSERT_EQ(asAccessPoint.size(), 1u);
  EXPECT_EQ(asAccessPoint[0].ssid, u"Other");
  EXPECT_EQ(asAccessPoint[0].state, 1);
  // A client keeps the network it is joined to, marked as connected.
  const auto asClient = VisibleNetworks(found, found[0].path, false);
  ASSERT_EQ(asClient.size(), 2u);
  EXPECT_EQ(asClient[0].state, 0);
}

TEST(NmProfilesTest, KeysAndNamesTheProfilesCannotUseAreRefused) {
  WifiProfile profile;
  constexpr auto kWep = WifiSecurity::Wep;
  constexpr auto kWpa2 = WifiSecurity::Wpa2Psk;
  EXPECT_EQ(AccessPointProfile("wlan0", u"Velmora", u"1234", kWep, "", std::nullopt, profile),
            codes::kInvalidParameter);
  EXPECT_EQ(AccessPointProfile("wlan0", u"", u"73915", kWep, "", std::nullopt, profile),
            codes::kInvalidParameter);
  EXPECT_EQ(AccessPointProfile("wlan0", std::u16string(33, u'x'), u"73915", kWep, "", std::nullopt,
                               profile),
            codes::kInvalidParameter);
  EXPECT_EQ(AccessPointProfile("wlan0", u"Velmora", u"0123456789", kWep, "", std::nullopt, profile),
            0u)
      << "10 hex digits are a WEP key too";
  EXPECT_EQ(AccessPointProfile("wlan0", u"Velmora", u"1234567", kWpa2, "", std::nullopt, profile),
            codes::kInvalidParameter);
  EXPECT_EQ(AccessPointProfile("wlan0", u"Velmora", u"k7Pq2mZx9aBc", WifiSecurity::Open, "",
                               std::nullopt, profile),
            codes::kInvalidParameter)
      << "the own network is never open";
  EXPECT_EQ(
      AccessPointProfile("wlan0", u"Velmora", u"k7Pq2mZx9aBc", kWpa2, "", std::nullopt, profile),
      0u);
  EXPECT_EQ(profile.security, kWpa2);
  EXPECT_EQ(JoinProfile("wlan0", u"Cafe", u"short", 2, 2, 0x100, "", profile),
            codes::kInvalidParameter);
  EXPECT_EQ(JoinProfile("wlan0", u"Corp", u"long enough", 2, 2, 0x200, "", profile),
            codes::kNotSupported)
      << "enterprise networks need more than a key";
  EXPECT_EQ(JoinProfile("wlan0", u"Park", u"ignored", 3, 2, 0, "", profile), 0u);
  EXPECT_TRUE(profile.key.empty()) << "an open network gets no key";
}

// The access point beside a station takes the station's channel, as NetworkManager names it.
TEST(NmProfilesTest, ChannelOfAFrequency) {
  struct Case {
    uint32_t mhz;
    const char* band;
    uint32_t channel;
  };
  for (const Case& c : {Case{2412, "bg", 1}, Case{2437, "bg", 6}, Case{2472, "bg", 13},
                        Case{2484, "bg", 14}, Case{5180, "a", 36}, Case{5825, "a", 165},
                        Case{0, "", 0}, Case{2413, "", 0}, Case{5955, "", 0}, Case{60480, "", 0}}) {
    const BandChannel found = BandChannelOf(c.mhz);
    EXPECT_EQ(found.band, c.band) << c.mhz;
    EXPECT_EQ(found.channel, c.channel) << c.mhz;
  }
}

}  // namespace
}  // namespace orvane::platform::linux_backend
