#include <gtest/gtest.h>

#include "WorkflowFixture.h"

namespace orvane::testing {
namespace {

using Status = WorkflowFixture;

TEST_F(Status, SharingPanelIsEmptyReadyOrEnabled) {
  AddUsualConnections();
  machine.Internet().SetReachable(false);
  MainWorkflow& workflow = StartAndShow();
  EXPECT_EQ(workflow.SharingPanel(), std::nullopt);

  machine.Internet().SetReachable(true);
  workflow.actRefresh2Execute();
  EXPECT_EQ(workflow.SharingPanel(), (StatusPanelContent{"Ready for Sharing", 30}));

  workflow.actStartSharingExecute();
  EXPECT_EQ(workflow.SharingPanel(), (StatusPanelContent{"Internet Sharing Enabled", 29}));

  workflow.actStopSharingExecute();
  EXPECT_EQ(workflow.SharingPanel(), (StatusPanelContent{"Ready for Sharing", 30}));
}

TEST_F(Status, InternetPanelFollowsTheComponentsState) {
  machine.Internet().HoldProbes();  // the monitor's first check stays in progress
  MainWorkflow& workflow = Start();
  EXPECT_EQ(workflow.InternetPanel(), (StatusPanelContent{"Unavailable", 1}));

  TWifiConnection& wifi = *workflow.WifiConnection();
  wifi.SetInternetState(1);
  EXPECT_EQ(workflow.InternetPanel(), (StatusPanelContent{"Connected to Internet", 0}));
  wifi.SetInternetState(2);
  EXPECT_EQ(workflow.InternetPanel(), (StatusPanelContent{"Internet Disconnected", 1}));
  wifi.SetInternetState(3);
  EXPECT_EQ(workflow.InternetPanel(), (StatusPanelContent{"Internet Disconnected", 1}));
  wifi.SetInternetState(9);
  EXPECT_EQ(workflow.InternetPanel(), std::nullopt);
  machine.Internet().StopHolding();
}

TEST_F(Status, OnlyStatesOneAndTwoChangeTheInternetLine) {
  machine.Internet().HoldProbes();
  MainWorkflow& workflow = Start();
  workflow.InternetStateChanged(2);
  workflow.InternetStateChanged(0);
  workflow.InternetStateChanged(3);
  workflow.InternetStateChanged(1);
  EXPECT_EQ(view.InternetStatuses(),
            (std::vector<InternetStatusDisplay>{{"Internet is disconnected.", kRed, false},
                                                {"Internet is connected.", kGreen, true}}));
  machine.Internet().StopHolding();
}

TEST_F(Status, TheNearbyLineNamesTheProductForAnExactMatchOfTheOwnName) {
  AddUsualConnections();
  folder.Write("setup.ini", "[System]\r\nSSID=Cafe\r\n");
  AddVisibleNetwork(kBuiltInWifiGuid, u"cafe", 1);
  AddVisibleNetwork(kUsbWifiGuid, u"Cafe ", 3);
  MainWorkflow& workflow = StartAndShow();
  workflow.actRefresh2Execute();
  EXPECT_EQ(view.nearbySignal, "") << "another letter case or a trailing blank is no match";

  AddVisibleNetwork(kUsbWifiGuid, u"Cafe", 2);  // state and kind do not matter
  workflow.actRefresh2Execute();
  EXPECT_EQ(view.nearbySignal, "Orvane signal found nearby");
}

TEST_F(Status, TheNearbyLineGoesWhenTheNetworkIsGone) {
  AddUsualConnections();
  MainWorkflow& workflow = StartAndShow();
  workflow.actStartSharingExecute();  // creates the own network, which the refresh then sees
  EXPECT_EQ(view.nearbySignal, "Orvane signal found nearby");
  workflow.actStopSharingExecute();  // deletes it again
  EXPECT_EQ(view.nearbySignal, "");
}

TEST_F(Status, TheConnectPageShowsTheSettingsInMemory) {
  folder.Write("setup.ini", "[System]\r\nSSID=Cafe\r\nPassword=ABCDE\r\n");
  MainWorkflow& workflow = Start();
  workflow.SetSSID("Garden");
  workflow.SetPassword("abc");
  const ConnectPageValues values = workflow.ConnectToPageValues();
  EXPECT_EQ(values.ssid, "Garden");
  EXPECT_EQ(values.password, "abc");
  EXPECT_EQ(workflow.WifiConnection()->SSID(), "Cafe") << "used from the next start on";
}

}  // namespace
}  // namespace orvane::testing
