#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "WorkflowFixture.h"
#include "app/WorkflowTexts.h"

namespace orvane::testing {
namespace {

constexpr const char* kOtherWiredGuid = "{6B29FC40-CA47-1067-B31D-00DD010662DB}";

using Choice = WorkflowFixture;

TEST_F(Choice, SavedGuidsWinOverTheAutomaticChoiceOnlyWhenTheyMatchExactly) {
  AddUsualConnections();
  AddWired(kOtherWiredGuid, platform::kNcsConnected);
  folder.Write("setup.ini", std::string("[System]\r\nSourceGUID=") + kOtherWiredGuid +
                                "\r\nDestGUID=" + kBuiltInWifiGuid + "\r\n");
  MainWorkflow& workflow = StartAndShow();
  EXPECT_EQ(workflow.CurrentSourceGUID(), kOtherWiredGuid);
  EXPECT_EQ(workflow.CurrentDestGUID(), kBuiltInWifiGuid);

  std::string lowerCase = kBuiltInWifiGuid;
  for (char& c : lowerCase) c = static_cast<char>(std::tolower(c));
  workflow.SetDestGUID(lowerCase);
  workflow.RefreshConnections();
  EXPECT_EQ(workflow.CurrentDestGUID(), kUsbWifiGuid) << "letter case counts: the default";
  EXPECT_EQ(workflow.DestGUID(), lowerCase) << "the saved text itself stays";
}

TEST_F(Choice, SourceAndDestinationAreShownWithTheirState) {
  AddUsualConnections();
  StartAndShow();
  ASSERT_TRUE(view.source && view.destination);
  EXPECT_EQ(*view.source, (ConnectionDisplay{"Local Area Connection - Gigabit Ethernet", true,
                                             "Connected", kGreen}));
  EXPECT_EQ(*view.destination,
            (ConnectionDisplay{"Wireless Network Connection 2 - Wireless Network Connection 2 "
                               "Adapter",
                               false, "Disconnected", kRed}));
}

TEST_F(Choice, WithNothingToChooseTheGuidsAreEmptyAndTheOldTextsStay) {
  AddUsualConnections();
  MainWorkflow& workflow = StartAndShow();
  const auto shownSource = view.source;
  workflow.SetSourceGUID(kVpnGuid);  // the VPN is a candidate, so it is found
  workflow.RefreshConnections();
  EXPECT_EQ(workflow.CurrentSourceGUID(), kVpnGuid);

  machine.Log().FailCall("EnumEveryConnection", platform::kEFail);
  workflow.RefreshConnections();
  EXPECT_EQ(workflow.CurrentSourceGUID(), "");
  EXPECT_EQ(workflow.CurrentDestGUID(), "");
  EXPECT_FALSE(workflow.SourceConnected());
  EXPECT_FALSE(workflow.SharingAvailable());
  EXPECT_NE(view.source, shownSource) << "the VPN was shown last and stays on screen";
  EXPECT_EQ(view.source->description, "Office VPN - VPN Adapter");
}

using Availability = WorkflowFixture;

TEST_F(Availability, SharingIsAvailableWithSourceDestinationConnectionAndInternet) {
  AddUsualConnections();
  MainWorkflow& workflow = StartAndShow();
  EXPECT_TRUE(workflow.SharingAvailable());
  EXPECT_EQ(probe.OwnerChecks(), 1);
  EXPECT_EQ(view.startSharingGuidance,
            "Your current connection is available for sharing your Internet,\r\nclick \"Start "
            "Sharing\" to share your Internet now.");
  EXPECT_EQ(view.connectGuidance,
            "Your Internet has been already connected via your wired connection.");
}

TEST_F(Availability, AnUnreachableInternetMakesSharingUnavailable) {
  AddUsualConnections();
  machine.Internet().SetConnectedState(true, platform::kInternetStateDisconnected);
  MainWorkflow& workflow = StartAndShow();
  EXPECT_FALSE(workflow.SharingAvailable());
  EXPECT_EQ(probe.OwnerChecks(), 1);
  EXPECT_EQ(view.startSharingGuidance,
            "Your current connection is not available for sharing your Internet.");
  EXPECT_EQ(view.connectGuidance, "");
}

// The probe blocks the user-interface thread, so it is asked only when it can matter.
TEST_F(Availability, TheProbeRunsOnlyWhenSourceDestinationAndConnectionHold) {
  AddWired(kWiredGuid, platform::kNcsMediaDisconnected);
  AddWifi(kUsbWifiGuid, "Wireless Network Connection");
  folder.Write("setup.ini", std::string("[System]\r\nSourceGUID=") + kWiredGuid + "\r\n");
  MainWorkflow& workflow = StartAndShow();
  EXPECT_EQ(workflow.CurrentSourceGUID(), kWiredGuid);
  EXPECT_FALSE(workflow.SourceConnected());
  EXPECT_FALSE(workflow.SharingAvailable());
  EXPECT_EQ(probe.OwnerChecks(), 0) << "source not connected";
  EXPECT_EQ(view.startSharingGuidance,
            "Your current connection is not available for sharing your Internet.");
}

TEST_F(Availability, NoDestinationMeansNoProbe) {
  AddWired();
  MainWorkflow& workflow = StartAndShow();
  EXPECT_TRUE(workflow.SourceConnected());
  EXPECT_FALSE(workflow.SharingAvailable());
  EXPECT_EQ(probe.OwnerChecks(), 0);
}

TEST_F(Availability, PickingADisconnectedSourceMakesSharingUnavailable) {
  AddUsualConnections();
  AddWired(kOtherWiredGuid, platform::kNcsMediaDisconnected);
  MainWorkflow& workflow = StartAndShow();
  ASSERT_TRUE(workflow.SharingAvailable());
  workflow.ShowSource(*workflow.FindConnection(kOtherWiredGuid));
  workflow.UpdateSharingState();
  EXPECT_FALSE(workflow.SharingAvailable());
  EXPECT_EQ(view.source->statusText, "Disconnected");
}

using Commands = WorkflowFixture;

TEST_F(Commands, EnabledActionsFollowAvailabilityAndTheStartedFlag) {
  AddUsualConnections();
  MainWorkflow& workflow = StartAndShow();
  const ActionStates ready{.startSharing = true};
  EXPECT_EQ(workflow.ActionsEnabled(), ready);

  workflow.actStartSharingExecute();
  EXPECT_EQ(workflow.ActionsEnabled(), (ActionStates{.stopSharing = true}));

  machine.Internet().SetReachable(false);
  workflow.actRefresh2Execute();
  EXPECT_EQ(workflow.ActionsEnabled(),
            (ActionStates{.stopSharing = true, .connect = true, .disconnect = true}));

  machine.Internet().SetReachable(true);
  workflow.actStopSharingExecute();
  EXPECT_EQ(workflow.ActionsEnabled(), ready);
}

TEST_F(Commands, StartSharingClearsOldSharingSharesAndCreatesTheOwnNetworkOnTheDestination) {
  AddUsualConnections();
  MainWorkflow& workflow = StartAndShow();
  machine.Log().ClearCalls();
  view.events.clear();

  workflow.actStartSharingExecute();

  EXPECT_EQ(view.messages, std::vector<std::string>{"Your sharing was started successfully!"});
  EXPECT_TRUE(workflow.SharingStarted());
  EXPECT_TRUE(SharingOf(kWiredGuid).sharingEnabled);
  EXPECT_EQ(SharingOf(kWiredGuid).sharingType, platform::kIcsSharingTypePublic);
  EXPECT_TRUE(SharingOf(kUsbWifiGuid).sharingEnabled);
  EXPECT_EQ(SharingOf(kUsbWifiGuid).sharingType, platform::kIcsSharingTypePrivate);
  EXPECT_FALSE(SharingOf(kVpnGuid).sharingEnabled);

  const auto calls = machine.Log().Calls();
  const auto firstOf = [&](const std::string& prefix) {
    return std::find_if(calls.begin(), calls.end(),
                        [&](const std::string& call) { return call.rfind(prefix, 0) == 0; });
  };
  EXPECT_LT(firstOf("DisableSharing"), firstOf("EnableSharing")) << "old sharing cleared first";
  // A new installation: WPA2 with the key drawn for it, on the chosen destination.
  EXPECT_EQ(machine.Log().CallsNamed("AddSsidEx"),
            std::vector<std::string>{std::string("AddSsidEx ") + kUsbWifiGuid + " Orvane " +
                                     workflow.Password() + " 2"})
      << "the chosen destination, not the first adapter the library lists";
  EXPECT_EQ(view.events, (std::vector<std::string>{"Working", "Done", "RepaintStatusBar"}))
      << "refreshed after";
}

TEST_F(Commands, StartSharingJoinsTheOwnNetworkWhenTheLastScanSawIt) {
  AddUsualConnections();
  AddVisibleNetwork(kUsbWifiGuid, u"Orvane", 1);
  MainWorkflow& workflow = StartAndShow();
  workflow.actStartSharingExecute();
  EXPECT_EQ(machine.Log().Count("AddSsidEx"), 0u);
  ASSERT_EQ(machine.Log().Count("Connect"), 1u);
  EXPECT_EQ(
      machine.Log().CallsNamed("Connect")[0].rfind(
          std::string("Connect ") + kUsbWifiGuid + " Orvane " + workflow.Password() + " 1", 0),
      0u);
}

TEST_F(Commands, AFailedStartReportsItLeavesSharingOffAndCreatesNoNetwork) {
  AddUsualConnections();
  AddSharedElsewhere("{00000000-0000-0000-0000-00000000000E}");
  MainWorkflow& workflow = StartAndShow();
  machine.Log().FailCall(std::string("EnableSharing ") + kUsbWifiGuid + " 1", platform::kEFail);
  view.events.clear();

  workflow.actStartSharingExecute();

  EXPECT_EQ(view.errors, std::vector<std::string>{
                             "Sorry, it was failed to share your Internet!\r\n\r\nThe system "
                             "refused with code 0x80004005:\r\n\r\n" +
                             machine.System().SystemErrorMessage(0x80004005u)});
  EXPECT_FALSE(workflow.SharingStarted());
  EXPECT_FALSE(SharingOf("{00000000-0000-0000-0000-00000000000E}").sharingEnabled)
      << "what was shared before the command is off";
  EXPECT_EQ(machine.Log().Count("AddSsidEx") + machine.Log().Count("Connect"), 0u);
  EXPECT_EQ(view.events, (std::vector<std::string>{"Working", "Done"})) << "no refresh";
}

TEST_F(Commands, SharingWithoutTheWirelessNetworkSaysSoWithTheSystemsText) {
  AddUsualConnections();
  MainWorkflow& workflow = StartAndShow();
  machine.Log().FailCall("AddSsidEx", 50);

  workflow.actStartSharingExecute();

  EXPECT_EQ(view.errors, std::vector<std::string>{
                             "Your sharing was started, but the wireless network could not be "
                             "created.\r\n\r\nThis Wi-Fi device cannot be an access point. "
                             "Choose a wireless connection whose adapter supports access-point "
                             "mode as the destination."});
  EXPECT_TRUE(workflow.SharingStarted()) << "sharing itself runs";
  EXPECT_TRUE(workflow.JoinCodeText().empty()) << "no code for a network that does not exist";
  EXPECT_EQ(workflow.OwnNetworkProblem().rfind("The wireless network could not be created", 0), 0u);
  EXPECT_TRUE(SharingOf(kUsbWifiGuid).sharingEnabled);
}

TEST_F(Commands, AnAdapterWithoutWpa2IsNamedInTheRefusal) {
  AddUsualConnections();
  MainWorkflow& workflow = StartAndShow();
  machine.Log().FailCall("AddSsidEx", platform::wlan::kErrorSecurityNotSupported);

  workflow.actStartSharingExecute();

  ASSERT_EQ(view.errors.size(), 1u);
  EXPECT_NE(view.errors[0].find("\"Wireless Network Connection 2 Adapter\" cannot run a network "
                                "with WPA2 security"),
            std::string::npos)
      << view.errors[0];
}

TEST_F(Commands, AFailedJoinIsNotReportedAsDone) {
  AddUsualConnections();
  AddVisibleNetwork(kBuiltInWifiGuid, u"Orvane", 1);
  MainWorkflow& workflow = StartAndShow();
  machine.Log().FailCall("Connect", 1460);
  workflow.actConnectExecute();
  EXPECT_EQ(view.errors, std::vector<std::string>{
                             "The wireless network could not be joined.\r\n\r\nThe wireless "
                             "service did not say in time whether the network is up."});

  // The network's own refusal comes with the system's words for it.
  view.errors.clear();
  machine.Log().ClearFailures();
  machine.Log().FailCall("Connect", 1236);
  machine.Radio().SetFailureReason(u"The network is not available.");
  workflow.actConnectExecute();
  EXPECT_EQ(view.errors, std::vector<std::string>{
                             "The wireless network could not be joined.\r\n\r\nThe wireless "
                             "network refused the connection.\r\n\r\nThe network is not "
                             "available."});
}

TEST_F(Commands, ARefusedNetworkListPointsToTheLocationSettingOnce) {
  AddUsualConnections();
  machine.Log().FailCall("GetVisibleNetworkList", 5);
  MainWorkflow& workflow = StartAndShow();
  ASSERT_EQ(view.errors.size(), 1u);
  EXPECT_NE(view.errors[0].find("Privacy & security > Location"), std::string::npos);
  workflow.actRefresh2Execute();
  EXPECT_EQ(view.errors.size(), 1u) << "not again for the same cause";

  machine.Log().ClearFailures();
  workflow.actRefresh2Execute();
  machine.Log().FailCall("GetVisibleNetworkList", 5);
  workflow.actRefresh2Execute();
  EXPECT_EQ(view.errors.size(), 2u) << "consent withdrawn again is said again";
}

TEST_F(Commands, AFailedStartAfterASuccessfulOneKeepsStopEnabled) {
  AddUsualConnections();
  MainWorkflow& workflow = StartAndShow();
  workflow.actStartSharingExecute();
  machine.Log().FailCall("EnableSharing", platform::kEFail);
  workflow.actStartSharingExecute();
  EXPECT_TRUE(workflow.SharingStarted());
  EXPECT_TRUE(workflow.ActionsEnabled().stopSharing);
}

TEST_F(Commands, AShareOfOursLeftOnIsNotReportedAsStopped) {
  AddUsualConnections();
  MainWorkflow& workflow = StartAndShow();
  workflow.actStartSharingExecute();
  ASSERT_TRUE(workflow.SharingStarted());
  machine.Log().FailCall(std::string("DisableSharing ") + kWiredGuid, platform::kEAccessDenied);

  workflow.actStopSharingExecute();
  EXPECT_EQ(view.errors, std::vector<std::string>{texts::kSharingNotStopped});
  EXPECT_TRUE(workflow.SharingStarted()) << "still shared, so Stop can be tried again";
  EXPECT_TRUE(workflow.ActionsEnabled().stopSharing);

  machine.Log().ClearFailures();
  workflow.actStopSharingExecute();
  EXPECT_EQ(view.messages.back(), "Your sharing was stopped successfully!");
  EXPECT_FALSE(workflow.SharingStarted());
}

// Without a share of ours among them, connections that refuse do not make the stop a failure.
TEST_F(Commands, StopReportsSuccessWhenNoShareOfOursIsLeftOn) {
  AddUsualConnections();
  MainWorkflow& workflow = StartAndShow();
  machine.Log().FailCall("DisableSharing", platform::kEFail);
  view.events.clear();

  workflow.actStopSharingExecute();

  EXPECT_EQ(view.messages, std::vector<std::string>{"Your sharing was stopped successfully!"});
  EXPECT_FALSE(workflow.SharingStarted());
  EXPECT_EQ(machine.Log().Count("DeleteSsid"), 1u);
  EXPECT_EQ(view.events, (std::vector<std::string>{"Working", "Done", "ProcessPendingEvents",
                                                   "RepaintStatusBar"}));
}

TEST_F(Commands, ConnectJoinsANearbyNetworkOrCreatesOneAndAlwaysSaysDone) {
  AddUsualConnections();
  AddVisibleNetwork(kBuiltInWifiGuid, u"Orvane", 1);
  MainWorkflow& workflow = StartAndShow();
  workflow.actConnectExecute();
  EXPECT_EQ(machine.Log().Count("Connect"), 1u);
  EXPECT_EQ(view.messages,
            std::vector<std::string>{
                "Done! Please wait a few seconds to finish the connecting...\r\n\r\n[Note] If "
                "there is no Orvane running nearby, it will result in failure."});
}

TEST_F(Commands, DisconnectDeletesTheNetworkAndReportsSuccessEvenWithoutOne) {
  AddUsualConnections();
  MainWorkflow& workflow = StartAndShow();
  view.events.clear();
  workflow.actDisconnectExecute();
  EXPECT_EQ(machine.Log().CallsNamed("DeleteSsid"),
            std::vector<std::string>{std::string("DeleteSsid ") + kBuiltInWifiGuid + " Orvane"});
  EXPECT_EQ(view.events, (std::vector<std::string>{"Working", "Done", "ProcessPendingEvents"}));
  EXPECT_EQ(view.messages, std::vector<std::string>{"Disconnected from Orvane successfully!"});
}

TEST_F(Commands, RefreshRereadsConnectionsAndNetworksAndRepaintsTheStatusBar) {
  AddWired();
  MainWorkflow& workflow = StartAndShow();
  EXPECT_EQ(workflow.CurrentDestGUID(), "");
  AddWifi(kUsbWifiGuid, "Wireless Network Connection");
  AddVisibleNetwork(kUsbWifiGuid, u"Orvane", 1);
  const auto scans = machine.Log().Count("EnumInterface");
  view.events.clear();

  workflow.actRefresh2Execute();

  EXPECT_EQ(workflow.CurrentDestGUID(), kUsbWifiGuid);
  EXPECT_TRUE(workflow.SharingAvailable());
  EXPECT_EQ(machine.Log().Count("EnumInterface"), scans + 1);
  EXPECT_EQ(view.nearbySignal, "Orvane signal found nearby");
  EXPECT_EQ(view.events, std::vector<std::string>{"RepaintStatusBar"});
}

}  // namespace
}  // namespace orvane::testing
