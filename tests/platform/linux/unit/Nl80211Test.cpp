// Reading a card's answer about itself: messages are built here the way the kernel lays them
// out, then cut, padded and lied about, as anything read from a socket may be.

#include <gtest/gtest.h>
#include <linux/genetlink.h>
#include <linux/nl80211.h>

#include <algorithm>
#include <cstring>

#include "platform/linux/Nl80211.h"
#include "platform/linux/SharingJournal.h"

namespace orvane::platform::linux_backend {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Attr(uint16_t type, const Bytes& payload) {
  // Sized once and copied into: growing it by insert trips a false bounds warning at -O3.
  Bytes out(NLA_ALIGN(NLA_HDRLEN + payload.size()));
  nlattr header{static_cast<uint16_t>(NLA_HDRLEN + payload.size()), type};
  std::memcpy(out.data(), &header, sizeof header);
  std::copy(payload.begin(), payload.end(), out.begin() + NLA_HDRLEN);
  return out;
}

Bytes U32(uint16_t type, uint32_t value) {
  Bytes payload(4);
  std::memcpy(payload.data(), &value, 4);
  return Attr(type, payload);
}

Bytes Nested(uint16_t type, std::initializer_list<Bytes> parts) {
  Bytes payload;
  for (const Bytes& part : parts) payload.insert(payload.end(), part.begin(), part.end());
  return Attr(static_cast<uint16_t>(type | NLA_F_NESTED), payload);
}

// A nested set of flags whose attribute types are interface types.
Bytes Flags(uint16_t type, std::initializer_list<uint16_t> iftypes) {
  Bytes payload;
  for (uint16_t iftype : iftypes) {
    Bytes flag = Attr(iftype, {});
    payload.insert(payload.end(), flag.begin(), flag.end());
  }
  return Attr(static_cast<uint16_t>(type | NLA_F_NESTED), payload);
}

Bytes Limit(uint16_t index, uint32_t max, std::initializer_list<uint16_t> iftypes) {
  return Nested(index,
                {U32(NL80211_IFACE_LIMIT_MAX, max), Flags(NL80211_IFACE_LIMIT_TYPES, iftypes)});
}

// The kernel's message: header, generic header, attributes.
Bytes Message(uint16_t type, std::initializer_list<Bytes> attributes) {
  Bytes out(NLMSG_HDRLEN + GENL_HDRLEN);
  for (const Bytes& part : attributes) out.insert(out.end(), part.begin(), part.end());
  nlmsghdr header{};
  header.nlmsg_len = static_cast<uint32_t>(out.size());
  header.nlmsg_type = type;
  std::memcpy(out.data(), &header, sizeof header);
  return out;
}

const nlmsghdr& Header(const Bytes& message) {
  return *reinterpret_cast<const nlmsghdr*>(message.data());
}

constexpr uint16_t kFamily = 28;

// A common laptop card: station and access point (and P2P) in one combination on one channel,
// and a second combination without access points on two channels.
Bytes TypicalCard(uint32_t wiphy) {
  return Message(
      kFamily,
      {U32(NL80211_ATTR_WIPHY, wiphy),
       Flags(NL80211_ATTR_SUPPORTED_IFTYPES, {NL80211_IFTYPE_STATION, NL80211_IFTYPE_AP}),
       Nested(
           NL80211_ATTR_INTERFACE_COMBINATIONS,
           {Nested(1, {Nested(NL80211_IFACE_COMB_LIMITS,
                              {Limit(1, 1, {NL80211_IFTYPE_STATION}),
                               Limit(2, 1, {NL80211_IFTYPE_AP, NL80211_IFTYPE_P2P_GO})}),
                       U32(NL80211_IFACE_COMB_MAXNUM, 2), U32(NL80211_IFACE_COMB_NUM_CHANNELS, 1)}),
            Nested(2, {Nested(NL80211_IFACE_COMB_LIMITS, {Limit(1, 2, {NL80211_IFTYPE_STATION})}),
                       U32(NL80211_IFACE_COMB_MAXNUM, 2),
                       U32(NL80211_IFACE_COMB_NUM_CHANNELS, 2)})})});
}

TEST(Nl80211Test, ReadsATypicalCardsCombinations) {
  const Bytes message = TypicalCard(3);
  WirelessCardFacts card;
  ParseWiphy(Header(message), 3, card);
  ASSERT_TRUE(card.read);
  EXPECT_EQ(card.supportedTypes, IftypeBit(kIftypeStation) | IftypeBit(kIftypeAccessPoint));
  ASSERT_EQ(card.combinations.size(), 2u);
  const auto& first = card.combinations[0];
  EXPECT_EQ(first.maxInterfaces, 2u);
  EXPECT_EQ(first.channels, 1u);
  ASSERT_EQ(first.limits.size(), 2u);
  EXPECT_EQ(first.limits[0].max, 1u);
  EXPECT_EQ(first.limits[0].types, IftypeBit(kIftypeStation));
  EXPECT_EQ(first.limits[1].types,
            IftypeBit(kIftypeAccessPoint) | IftypeBit(NL80211_IFTYPE_P2P_GO));
  EXPECT_EQ(card.combinations[1].channels, 2u);
}

TEST(Nl80211Test, SplitAnswersAddUpAndOtherRadiosAreIgnored) {
  WirelessCardFacts card;
  const Bytes types =
      Message(kFamily, {U32(NL80211_ATTR_WIPHY, 0),
                        Flags(NL80211_ATTR_SUPPORTED_IFTYPES, {NL80211_IFTYPE_STATION})});
  const Bytes other = TypicalCard(1);
  const Bytes combinations = TypicalCard(0);
  ParseWiphy(Header(types), 0, card);
  ParseWiphy(Header(other), 0, card);
  EXPECT_TRUE(card.combinations.empty());
  ParseWiphy(Header(combinations), 0, card);
  EXPECT_EQ(card.combinations.size(), 2u);

  WirelessCardFacts none;
  ParseWiphy(Header(other), 0, none);
  EXPECT_FALSE(none.read);
}

TEST(Nl80211Test, HostileAnswersAreReadSafely) {
  const Bytes whole = TypicalCard(0);
  // Every cut of the message, its length field telling the truth or lying.
  for (std::size_t size = 0; size <= whole.size(); ++size) {
    Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
    cut.resize(std::max<std::size_t>(cut.size(), sizeof(nlmsghdr)));
    auto* header = reinterpret_cast<nlmsghdr*>(cut.data());
    for (uint32_t length : {static_cast<uint32_t>(size), static_cast<uint32_t>(whole.size())}) {
      header->nlmsg_len = std::min<uint32_t>(length, static_cast<uint32_t>(cut.size()));
      WirelessCardFacts card;
      ParseWiphy(*header, 0, card);
      EXPECT_LE(card.combinations.size(), 2u);
    }
  }
  // An attribute claiming more than the message holds ends the reading there.
  Bytes lying = whole;
  nlattr first{};
  std::memcpy(&first, lying.data() + NLMSG_HDRLEN + GENL_HDRLEN, sizeof first);
  first.nla_len = 0xFFFF;
  std::memcpy(lying.data() + NLMSG_HDRLEN + GENL_HDRLEN, &first, sizeof first);
  WirelessCardFacts card;
  ParseWiphy(Header(lying), 0, card);
  EXPECT_FALSE(card.read);
}

TEST(Nl80211Test, ListsAreBounded) {
  Bytes entries;
  for (uint16_t i = 1; i <= 100; ++i) {
    Bytes limits;
    for (uint16_t j = 1; j <= 40; ++j) {
      Bytes limit = Limit(j, 1, {NL80211_IFTYPE_STATION});
      limits.insert(limits.end(), limit.begin(), limit.end());
    }
    Bytes entry = Nested(i, {Attr(NL80211_IFACE_COMB_LIMITS | NLA_F_NESTED, limits)});
    entries.insert(entries.end(), entry.begin(), entry.end());
  }
  const auto combinations = ParseCombinations(entries);
  ASSERT_EQ(combinations.size(), kMaxCombinations);
  EXPECT_EQ(combinations[0].limits.size(), kMaxLimitsPerCombination);
}

TEST(Nl80211Test, ReadsAnInterfaceAndTheFamilyId) {
  const Bytes station = Message(
      kFamily,
      {U32(NL80211_ATTR_IFINDEX, 7), U32(NL80211_ATTR_WIPHY, 2),
       U32(NL80211_ATTR_IFTYPE, NL80211_IFTYPE_STATION), U32(NL80211_ATTR_WIPHY_FREQ, 2437),
       Attr(NL80211_ATTR_IFNAME, {'w', 'l', '0', 0}), Attr(NL80211_ATTR_MAC, {2, 0, 0, 0, 1, 0})});
  auto found = ParseWirelessInterface(Header(station));
  ASSERT_TRUE(found);
  EXPECT_EQ(found->index, 7u);
  EXPECT_EQ(found->wiphy, 2u);
  EXPECT_EQ(found->iftype, static_cast<uint32_t>(NL80211_IFTYPE_STATION));
  EXPECT_EQ(found->frequencyMHz, 2437u);
  EXPECT_EQ(found->name, "wl0");
  EXPECT_EQ(found->hardwareAddress.size(), 6u);

  // Without its radio it names nothing that can be acted on.
  EXPECT_FALSE(ParseWirelessInterface(Header(Message(kFamily, {U32(NL80211_ATTR_IFINDEX, 7)}))));

  Bytes id(2);
  const uint16_t family = 31;
  std::memcpy(id.data(), &family, 2);
  EXPECT_EQ(ParseFamilyId(Header(Message(GENL_ID_CTRL, {Attr(CTRL_ATTR_FAMILY_ID, id)}))), 31);
  EXPECT_FALSE(ParseFamilyId(Header(Message(GENL_ID_CTRL, {Attr(CTRL_ATTR_FAMILY_ID, {1})}))));
}

// Recovery deletes what the journal names, so only our own names and radios get through.
TEST(Nl80211Test, BesideInterfacesAreNamedAndJournalledSafely) {
  EXPECT_EQ(BesideAccessPointName(12), "orvap12");
  EXPECT_TRUE(IsBesideAccessPointName(BesideAccessPointName(4294967295u)));
  for (const char* name : {"orvap", "wlan0", "orvap1x", "orvap-1", "xorvap1", "orvap12345678901"})
    EXPECT_FALSE(IsBesideAccessPointName(name)) << name;

  JournalEntries entries;
  entries.virtualInterfaces.push_back({"orvap3", 1});
  const auto read =
      ParseJournal(JournalText(entries) + "virtual orvap4 -1\nvirtual orvap5 x\nvirtual orvap6\n");
  ASSERT_EQ(read.virtualInterfaces.size(), 1u);
  EXPECT_EQ(read.virtualInterfaces[0].interfaceName, "orvap3");
  EXPECT_EQ(read.virtualInterfaces[0].wiphy, 1u);
  EXPECT_FALSE(read.Empty());

  // A local, unicast address that differs from the station's, whatever the station has.
  for (const std::vector<uint8_t>& station : {std::vector<uint8_t>{0x00, 0x21, 0x6a, 1, 2, 3},
                                              {0x02, 0, 0, 0, 0, 0x10},
                                              {0xff, 0xff, 0xff, 0xff, 0xff, 0xff}}) {
    const auto beside = BesideAccessPointAddress(station);
    ASSERT_EQ(beside.size(), 6u);
    EXPECT_NE(beside, station);
    EXPECT_EQ(beside[0] & 0x03, 0x02);
  }
  EXPECT_TRUE(BesideAccessPointAddress({1, 2, 3}).empty());
}

}  // namespace
}  // namespace orvane::platform::linux_backend
