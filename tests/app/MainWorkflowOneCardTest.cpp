// One Wi-Fi card connected to a network shares it through a second network of its own.

#include <gtest/gtest.h>

#include "WorkflowFixture.h"
#include "app/WorkflowTexts.h"

namespace orvane::testing {
namespace {

using platform::IftypeBit;

class OneCard : public WorkflowFixture {
 protected:
  // The laptop's only adapter, connected to the hotel's network, which carries the route.
  void AddConnectedWifi() {
    machine.AddConnection({.guid = kBuiltInWifiGuid,
                           .name = "Hotel",
                           .deviceName = "Wireless Adapter",
                           .status = platform::kNcsConnected,
                           .pnpInstanceId = "PCI\\VEN_8086&DEV_2723",
                           .wireless = true,
                           .adapterType = 71,
                           .ipAddress = "10.20.0.15",
                           .ipMask = "255.255.0.0",
                           .gateway = "10.20.0.1"});
  }
  static platform::WirelessCardFacts CapableCard() {
    platform::WirelessCardFacts card;
    card.read = true;
    card.supportedTypes =
        IftypeBit(platform::kIftypeStation) | IftypeBit(platform::kIftypeAccessPoint);
    card.combinations = {
        {{{1, IftypeBit(platform::kIftypeStation)}, {1, IftypeBit(platform::kIftypeAccessPoint)}},
         2,
         1}};
    card.currentType = platform::kIftypeStation;
    card.frequencyMHz = 2437;
    return card;
  }
};

TEST_F(OneCard, ACapableCardSharesItsOwnConnection) {
  AddConnectedWifi();
  machine.ConnectionKinds().SetWirelessCardFacts(kBuiltInWifiGuid, CapableCard());
  machine.Radio().AddNetwork(machine.System().ToUtf16(kBuiltInWifiGuid),
                             {.ssid = u"Hotel", .state = 0, .kind = 2, .key = u""});
  MainWorkflow& workflow = StartAndShow();
  EXPECT_EQ(workflow.CurrentSourceGUID(), kBuiltInWifiGuid);
  EXPECT_EQ(workflow.CurrentDestGUID(), kBuiltInWifiGuid);
  ASSERT_TRUE(workflow.SharingAvailable());
  EXPECT_EQ(view.startSharingGuidance, texts::kOneCardSharingAvailable);

  machine.Log().ClearCalls();
  workflow.actStartSharingExecute();
  EXPECT_TRUE(workflow.SharingStarted());
  EXPECT_EQ(machine.Log().CallsNamed("EnableSharing"),
            (std::vector<std::string>{std::string("EnableSharing ") + kBuiltInWifiGuid + " 0",
                                      std::string("EnableSharing ") + kBuiltInWifiGuid + " 1"}));
  EXPECT_EQ(machine.Log().Count("AddSsidEx"), 1u) << "the own network is made on that card";
  EXPECT_EQ(machine.Log().Count("Disconnect"), 0u) << "the shared network is not left";
}

TEST_F(OneCard, ACardThatCannotSaysWhyAndNeedsNoProbe) {
  struct Case {
    const char* what;
    std::function<void(platform::WirelessCardFacts&)> change;
    const char* text;
  };
  const Case cases[] = {
      {"not read", [](auto& card) { card = {}; }, texts::kOneCardUnknown},
      {"no access point mode",
       [](auto& card) { card.supportedTypes = IftypeBit(platform::kIftypeStation); },
       texts::kOneCardNoAccessPoint},
      {"only one interface at once", [](auto& card) { card.combinations[0].maxInterfaces = 1; },
       texts::kOneCardNoCombination},
      {"not on a channel", [](auto& card) { card.frequencyMHz = 0; }, texts::kOneCardNotConnected},
  };
  AddConnectedWifi();
  MainWorkflow& workflow = StartAndShow();
  for (const Case& c : cases) {
    auto card = CapableCard();
    c.change(card);
    machine.ConnectionKinds().SetWirelessCardFacts(kBuiltInWifiGuid, card);
    const int probesBefore = probe.OwnerChecks();
    workflow.RefreshConnections();
    EXPECT_FALSE(workflow.SharingAvailable()) << c.what;
    EXPECT_EQ(view.startSharingGuidance, c.text) << c.what;
    EXPECT_EQ(probe.OwnerChecks(), probesBefore) << c.what;
  }
}

TEST_F(OneCard, LosingTheSharedNetworkStopsSharingWithTheReason) {
  AddConnectedWifi();
  machine.ConnectionKinds().SetWirelessCardFacts(kBuiltInWifiGuid, CapableCard());
  MainWorkflow& workflow = StartAndShow();
  workflow.actStartSharingExecute();
  ASSERT_TRUE(workflow.SharingStarted());

  // Any other failure of the question keeps sharing as it is.
  machine.Log().FailCall("GetConnectedDevices", platform::kEFail, 1);
  workflow.RefreshConnectedDevices();
  EXPECT_TRUE(workflow.SharingStarted());
  EXPECT_TRUE(view.errors.empty());

  machine.Sharing().SetErrorDescription("the Wi-Fi network of wlan0 moved to another channel");
  machine.Log().FailCall("GetConnectedDevices", platform::kSharedNetworkLost, 1);
  machine.Log().ClearCalls();
  workflow.RefreshConnectedDevices();
  EXPECT_FALSE(workflow.SharingStarted());
  EXPECT_EQ(view.errors, std::vector<std::string>{texts::SharedNetworkLostMessage(
                             "the Wi-Fi network of wlan0 moved to another channel")});
  EXPECT_EQ(machine.Log().Count("DeleteSsid"), 1u) << "the own network's profile goes too";
  EXPECT_FALSE(SharingOf(kBuiltInWifiGuid).sharingEnabled);
}

TEST_F(OneCard, TwoCardsAreNotAskedAboutCombinations) {
  AddUsualConnections();
  StartAndShow();
  EXPECT_EQ(machine.Log().Count("ReadWirelessCardFacts"), 0u);
}

}  // namespace
}  // namespace orvane::testing
