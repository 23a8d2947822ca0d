// Whether a card can run its own access point beside its station connection.

#include <gtest/gtest.h>

#include "wireless/ApBesideStation.h"

namespace orvane {
namespace {

using platform::IftypeBit;
using platform::InterfaceCombination;
using platform::kIftypeAccessPoint;
using platform::kIftypeStation;

constexpr uint32_t kSta = IftypeBit(kIftypeStation);
constexpr uint32_t kAp = IftypeBit(kIftypeAccessPoint);
constexpr uint32_t kP2pGo = IftypeBit(9);

TEST(ApBesideStationTest, CombinationRules) {
  struct Case {
    const char* what;
    InterfaceCombination combination;
    bool admitted;
  };
  const Case cases[] = {
      {"separate limits", {{{1, kSta}, {1, kAp | kP2pGo}}, 2, 1}, true},
      {"one shared limit of two", {{{2, kSta | kAp}}, 2, 1}, true},
      {"one shared limit of one", {{{1, kSta | kAp}}, 2, 1}, false},
      {"only one interface at once", {{{1, kSta}, {1, kAp}}, 1, 1}, false},
      {"no access point in it", {{{2, kSta}, {1, kP2pGo}}, 3, 2}, false},
      {"no station in it", {{{2, kAp}}, 2, 1}, false},
      {"no channel", {{{1, kSta}, {1, kAp}}, 2, 0}, false},
      {"station limit of zero", {{{0, kSta}, {2, kAp}}, 2, 1}, false},
      {"nothing at all", {}, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(AdmitsStationAndAccessPoint(c.combination), c.admitted) << c.what;
}

platform::WirelessCardFacts ConnectedCard() {
  platform::WirelessCardFacts card;
  card.read = true;
  card.supportedTypes = kSta | kAp;
  card.combinations = {{{{2, kSta}}, 2, 2}, {{{1, kSta}, {1, kAp}}, 2, 1}};
  card.currentType = kIftypeStation;
  card.frequencyMHz = 2412;
  return card;
}

TEST(ApBesideStationTest, VerdictSaysWhyNot) {
  EXPECT_EQ(CheckApBesideStation(ConnectedCard()), ApBesideStation::kPossible);

  EXPECT_EQ(CheckApBesideStation({}), ApBesideStation::kCardUnknown);

  auto noAp = ConnectedCard();
  noAp.supportedTypes = kSta;
  EXPECT_EQ(CheckApBesideStation(noAp), ApBesideStation::kNoAccessPointMode);

  auto noCombination = ConnectedCard();
  noCombination.combinations.pop_back();
  EXPECT_EQ(CheckApBesideStation(noCombination), ApBesideStation::kNoCombination);

  auto offChannel = ConnectedCard();
  offChannel.frequencyMHz = 0;
  EXPECT_EQ(CheckApBesideStation(offChannel), ApBesideStation::kNotConnected);
  auto accessPoint = ConnectedCard();
  accessPoint.currentType = kIftypeAccessPoint;
  EXPECT_EQ(CheckApBesideStation(accessPoint), ApBesideStation::kNotConnected);
}

}  // namespace
}  // namespace orvane
