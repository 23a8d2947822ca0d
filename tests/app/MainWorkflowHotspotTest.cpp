// Sharing through Windows' Mobile Hotspot where an adapter cannot make the ad-hoc network.
#include <gtest/gtest.h>

#include "WorkflowFixture.h"
#include "app/HotspotTexts.h"
#include "app/WorkflowTexts.h"

namespace orvane::testing {
namespace {

constexpr platform::AuthCipherPair kWpa2AdHoc{platform::kDot11AuthRsnaPsk,
                                              platform::kDot11CipherCcmp};

class Hotspot : public WorkflowFixture {
 protected:
  Hotspot() {
    machine.Hotspot().SetPresent(true);
    platformServices.hotspot = machine.MobileHotspot();
    AddUsualConnections();
  }
  MainWorkflow& StartSharing() {
    MainWorkflow& workflow = StartAndShow();
    EXPECT_TRUE(workflow.SharingAvailable());
    machine.Log().ClearCalls();
    workflow.actStartSharingExecute();
    return workflow;
  }
};

TEST_F(Hotspot, AnAdapterThatCanMakeTheAdHocNetworkKeepsTheUsualWay) {
  machine.Hotspot().SetAdHocPairs(kUsbWifiGuid, {kWpa2AdHoc});
  MainWorkflow& workflow = StartSharing();
  ASSERT_TRUE(workflow.SharingStarted());
  EXPECT_EQ(workflow.SharedWay(), OwnNetworkWay::AdHoc);
  EXPECT_EQ(machine.Log().Count("StartHotspot"), 0u);
  EXPECT_TRUE(SharingOf(kWiredGuid).sharingEnabled) << "Internet Connection Sharing shares it";
  EXPECT_EQ(view.sharingWays, std::vector<std::string>{texts::kMadeAsAdHoc});
}

TEST_F(Hotspot, WithoutAdHocSupportTheHotspotSharesTheSourceAndIcsStaysOff) {
  machine.Hotspot().SetClients({{"phone", "aa:bb:cc:dd:ee:01", "192.168.137.20"}});
  MainWorkflow& workflow = StartSharing();
  ASSERT_TRUE(workflow.SharingStarted()) << (view.errors.empty() ? "" : view.errors.back());
  EXPECT_EQ(workflow.SharedWay(), OwnNetworkWay::MobileHotspot);
  const auto calls = machine.Log().Calls();
  const auto query =
      std::find(calls.begin(), calls.end(), std::string("QueryAdHocPairs ") + kUsbWifiGuid);
  const auto start = std::find(calls.begin(), calls.end(),
                               "StartHotspot " + std::string(kWiredGuid) + " " + workflow.SSID());
  ASSERT_NE(query, calls.end());
  ASSERT_NE(start, calls.end());
  EXPECT_LT(query, start) << "the adapter is asked before the hotspot starts";
  EXPECT_EQ(machine.Log().Count("EnableSharing"), 0u);
  EXPECT_FALSE(SharingOf(kWiredGuid).sharingEnabled);
  EXPECT_EQ(machine.Hotspot().Passphrase(), workflow.Password());
  EXPECT_EQ(view.messages.back(), texts::kSharingStarted);
  EXPECT_EQ(view.sharingWays.back(), texts::kMadeByMobileHotspot);
  EXPECT_NE(workflow.JoinCodeText().find("T:WPA"), std::string::npos);

  // The connected-devices list comes from the hotspot's clients.
  ASSERT_FALSE(view.deviceLists.empty());
  ASSERT_EQ(view.deviceLists.back().size(), 1u);
  EXPECT_EQ(view.deviceLists.back()[0].IPv4Address, "192.168.137.20");

  machine.Log().ClearCalls();
  workflow.actStopSharingExecute();
  EXPECT_FALSE(workflow.SharingStarted());
  EXPECT_EQ(machine.Log().Count("StopHotspot"), 1u);
  EXPECT_EQ(machine.Log().Count("DisableSharing"), 0u);
  EXPECT_FALSE(machine.Hotspot().Running());
  EXPECT_EQ(view.sharingWays.back(), "");
}

TEST_F(Hotspot, AQuestionTheAdapterCannotAnswerTakesTheHotspotAnyOtherFailureDoesNot) {
  machine.Log().FailCall("QueryAdHocPairs", platform::kErrorNotSupported);
  EXPECT_EQ(StartSharing().SharedWay(), OwnNetworkWay::MobileHotspot);
  workflow->actStopSharingExecute();

  machine.Log().ClearFailures();
  machine.Log().FailCall("QueryAdHocPairs", 1062);  // the wireless service is not running
  workflow->actStartSharingExecute();
  EXPECT_EQ(workflow->SharedWay(), OwnNetworkWay::AdHoc);
  EXPECT_EQ(machine.Log().Count("StartHotspot"), 1u) << "only the first start";
}

TEST_F(Hotspot, EachRefusalIsExplainedAndNothingIsLeftOn) {
  struct Case {
    const char* name;
    platform::HotspotAnswer answer;
    const char* reason;
  };
  const Case cases[] = {
      {"policy", {.capability = platform::kTetheringDisabledByGroupPolicy}, texts::kHotspotPolicy},
      {"edition", {.capability = platform::kTetheringDisabledBySku}, texts::kHotspotPolicy},
      {"no Wi-Fi",
       {.capability = platform::kTetheringDisabledByHardwareLimitation},
       texts::kHotspotNoWifi},
      {"Wi-Fi off", {.status = platform::kTetheringWiFiDeviceOff}, texts::kHotspotNoWifi},
      {"local only", {.connectivity = platform::kConnectivityLocal}, texts::kHotspotNoInternet},
      {"limited",
       {.status = platform::kTetheringNetworkLimitedConnectivity},
       texts::kHotspotNoInternet},
      {"no profile", {.code = platform::kSourceProfileMissing}, texts::kHotspotNoInternet},
      {"timed out", {.code = platform::kHotspotTimedOut}, texts::kHotspotTimedOut},
      {"unknown",
       {.status = platform::kTetheringUnknown, .detail = "The driver said no."},
       "The driver said no."},
  };
  MainWorkflow& workflow = StartAndShow();
  for (const Case& c : cases) {
    machine.Hotspot().SetStartAnswer(c.answer);
    view.errors.clear();
    workflow.actStartSharingExecute();
    EXPECT_FALSE(workflow.SharingStarted()) << c.name;
    EXPECT_FALSE(machine.Hotspot().Running()) << c.name;
    ASSERT_EQ(view.errors.size(), 1u) << c.name;
    EXPECT_EQ(view.errors[0], std::string(texts::kHotspotNotStarted) + "\r\n\r\n" + c.reason)
        << c.name;
  }
}

TEST_F(Hotspot, AKeyTooShortForWpa2IsRefusedBeforeWindowsIsAsked) {
  folder.Write("setup.ini", "[System]\r\nSecurity=WEP\r\nPassword=abcde\r\n");
  MainWorkflow& workflow = StartSharing();
  EXPECT_FALSE(workflow.SharingStarted());
  EXPECT_EQ(machine.Log().Count("StartHotspot"), 0u);
  ASSERT_EQ(view.errors.size(), 1u);
  EXPECT_EQ(view.errors[0],
            std::string(texts::kHotspotNotStarted) + "\r\n\r\n" + texts::kHotspotKeyTooShort);
}

TEST_F(Hotspot, AHotspotThatWillNotStopStillCountsAsSharing) {
  MainWorkflow& workflow = StartSharing();
  ASSERT_TRUE(workflow.SharingStarted());
  machine.Log().FailCall("StopHotspot", platform::kEFail, 1);
  workflow.actStopSharingExecute();
  EXPECT_TRUE(workflow.SharingStarted());
  ASSERT_FALSE(view.errors.empty());
  EXPECT_EQ(view.errors.back().rfind(texts::kHotspotNotStopped, 0), 0u);
  workflow.actStopSharingExecute();
  EXPECT_FALSE(workflow.SharingStarted());
}

TEST_F(Hotspot, ShutDownTurnsTheHotspotOff) {
  StartSharing();
  ASSERT_TRUE(machine.Hotspot().Running());
  workflow->ShutDown();
  EXPECT_FALSE(machine.Hotspot().Running());
}

using NoHotspot = WorkflowFixture;

TEST_F(NoHotspot, NoAdapterIsAskedAndNoWayLineIsShown) {
  AddUsualConnections();
  MainWorkflow& workflow = StartAndShow();
  workflow.actStartSharingExecute();
  EXPECT_TRUE(workflow.SharingStarted());
  EXPECT_EQ(machine.Log().Count("QueryAdHocPairs"), 0u);
  EXPECT_TRUE(view.sharingWays.empty());
}

}  // namespace
}  // namespace orvane::testing
