#include <gtest/gtest.h>

#include "WorkflowFixture.h"
#include "app/WorkflowTexts.h"

namespace orvane::testing {
namespace {

const platform::ConnectedDevice kPhone{"phone", "aa:00:00:00:00:01", "192.168.0.10"};
const platform::ConnectedDevice kTablet{"", "aa:00:00:00:00:02", "192.168.0.11"};

using Devices = WorkflowFixture;

TEST_F(Devices, ChangesOfTheSharedConnectionsDevicesReachTheViewOnceEach) {
  AddUsualConnections();
  machine.Sharing().SetConnectedDevices(kUsbWifiGuid, {kPhone});
  MainWorkflow& workflow = StartAndShow();
  workflow.RefreshConnectedDevices();
  EXPECT_TRUE(view.deviceLists.empty()) << "nobody while sharing is off";

  workflow.actStartSharingExecute();
  ASSERT_EQ(view.deviceLists.size(), 1u) << "asked right after sharing started";
  EXPECT_EQ(view.deviceLists.back()[0].HardwareAddress, kPhone.hardwareAddress);
  workflow.RefreshConnectedDevices();
  EXPECT_EQ(view.deviceLists.size(), 1u) << "an unchanged list is not shown again";

  machine.Sharing().SetConnectedDevices(kUsbWifiGuid, {kPhone, kTablet});
  workflow.RefreshConnectedDevices();
  ASSERT_EQ(view.deviceLists.size(), 2u);
  EXPECT_EQ(view.deviceLists.back().size(), 2u);

  machine.Log().FailCall("GetConnectedDevices " + std::string(kUsbWifiGuid), platform::kEFail, 1);
  workflow.RefreshConnectedDevices();
  EXPECT_EQ(view.deviceLists.size(), 2u) << "a failed question keeps the list";
  EXPECT_EQ(workflow.ConnectedDevices().size(), 2u);

  machine.Sharing().SetConnectedDevices(kUsbWifiGuid, {kTablet});
  workflow.RefreshConnectedDevices();
  ASSERT_EQ(view.deviceLists.size(), 3u) << "a device that left is gone at the next check";
  EXPECT_EQ(view.deviceLists.back()[0].HardwareAddress, kTablet.hardwareAddress);

  workflow.actStopSharingExecute();
  ASSERT_EQ(view.deviceLists.size(), 4u);
  EXPECT_TRUE(view.deviceLists.back().empty());
}

TEST_F(Devices, TheOwnerIsToldOnceWhenNoOtherDeviceCanJoinAndWhenOneCanAgain) {
  AddUsualConnections();
  machine.Sharing().SetGuestLimit(2);
  machine.Sharing().SetConnectedDevices(kUsbWifiGuid, {kPhone});
  MainWorkflow& workflow = StartAndShow();
  workflow.actStartSharingExecute();
  EXPECT_TRUE(view.guestLimits.empty()) << "room left";

  machine.Sharing().SetConnectedDevices(kUsbWifiGuid, {kPhone, kTablet});
  workflow.RefreshConnectedDevices();
  workflow.RefreshConnectedDevices();
  ASSERT_EQ(view.guestLimits.size(), 1u) << "said once, not at every check";
  EXPECT_EQ(view.guestLimits[0], std::string(texts::kGuestLimitReached));

  machine.Sharing().SetConnectedDevices(kUsbWifiGuid, {kTablet});
  workflow.RefreshConnectedDevices();
  ASSERT_EQ(view.guestLimits.size(), 2u);
  EXPECT_EQ(view.guestLimits[1], "") << "a place freed up";

  machine.Sharing().SetConnectedDevices(kUsbWifiGuid, {kPhone, kTablet});
  workflow.RefreshConnectedDevices();
  workflow.actStopSharingExecute();
  ASSERT_EQ(view.guestLimits.size(), 4u);
  EXPECT_EQ(view.guestLimits[3], "") << "no sharing, no limit";
}

TEST_F(Devices, TheJoinCodeDescribesTheOwnNetworkOnlyWhileSharingWithAKey) {
  AddUsualConnections();
  folder.Write("setup.ini", "[System]\r\nSSID=Caf\xC3\xA9;1\r\nPassword=ab:c\\\r\n");
  MainWorkflow& workflow = StartAndShow();
  EXPECT_EQ(workflow.JoinCodeText(), "");
  workflow.actStartSharingExecute();
  EXPECT_EQ(workflow.JoinCodeText(), "WIFI:T:WEP;S:Caf\xC3\xA9\\;1;P:ab\\:c\\\\;;");

  workflow.SetPassword("");
  EXPECT_EQ(workflow.JoinCodeText(), "") << "no key shown, no code";
  workflow.SetPassword("13 characters");
  EXPECT_EQ(workflow.JoinCodeText(), "WIFI:T:WEP;S:Caf\xC3\xA9\\;1;P:ab\\:c\\\\;;")
      << "the network keeps the key it was made with until the next start";
  workflow.actStopSharingExecute();
  EXPECT_EQ(workflow.JoinCodeText(), "");
}

}  // namespace
}  // namespace orvane::testing
