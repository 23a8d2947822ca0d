#include <gtest/gtest.h>

#include "WorkflowFixture.h"
#include "common/Errors.h"
#include "common/UnitGlobal.h"

namespace orvane::testing {
namespace {

// Base64 of "[System]" / "APPLICATION_NAME=..." product information files.
constexpr const char* kProductInfoTest = "W1N5c3RlbV0NCkFQUExJQ0FUSU9OX05BTUU9VGVzdA0K";
constexpr const char* kProductInfoOrvane = "W1N5c3RlbV0NCkFQUExJQ0FUSU9OX05BTUU9T3J2YW5lDQo=";

// Renames the product to "Test" for one test and back to the built-in name afterwards.
class ProductNamedTest {
 public:
  explicit ProductNamedTest(const TempFolder& folder) : folder_(folder) { Load(kProductInfoTest); }
  ~ProductNamedTest() { Load(kProductInfoOrvane); }

 private:
  void Load(const char* content) {
    folder_.Write(kProductInfoFileName, content);
    LoadProductInfo(folder_.Folder());
  }
  const TempFolder& folder_;
};

using Lifecycle = WorkflowFixture;

TEST_F(Lifecycle, CaptionsAndSettingsComeFromTheProductNameAndSetupIni) {
  ProductNamedTest renamed(folder);
  folder.Write("setup.ini", "[System]\r\nStartMinimized=1\r\nPassword=12345\r\n");

  MainWorkflow& workflow = Start();

  EXPECT_EQ(workflow.ExeDir(), folder.Folder());
  EXPECT_EQ(workflow.ApplicationTitle(), "Test");
  EXPECT_EQ(workflow.ConnectCaption(), "Connect to Test");
  EXPECT_EQ(workflow.ConnectDescription(),
            "If there is a Test running nearby and sharing its Internet connection, click the "
            "button below to connect to Internet through its sharing.");
  EXPECT_EQ(workflow.HeaderCaption(), "        Test");
  EXPECT_EQ(workflow.BackgroundBalloonText(), "Test is running in the background!");
  EXPECT_FALSE(workflow.ShowMainFormAtStart()) << "StartMinimized keeps the window hidden";
  EXPECT_EQ(workflow.SSID(), "Test") << "the network name defaults to the product name";
  EXPECT_EQ(workflow.WifiConnection()->SSID(), "Test");
  EXPECT_EQ(workflow.WifiConnection()->Key(), "12345");
  EXPECT_EQ(workflow.WifiConnection()->Security(), NetworkSecurity::Wep) << "an older file's key";
}

TEST_F(Lifecycle, ABadStoredPasswordIsShownButNeverUsedAsTheNetworkKey) {
  AddUsualConnections();
  folder.Write("setup.ini", "[System]\r\nPassword=1234\r\n");
  MainWorkflow& workflow = Start();
  EXPECT_TRUE(workflow.ShowMainFormAtStart());
  EXPECT_EQ(workflow.Password(), "1234") << "kept and shown as stored";
  EXPECT_EQ(workflow.WifiConnection()->Key(), "") << "no key of the program's own any more";
  ASSERT_NE(workflow.ConnectionManager(), nullptr);
  EXPECT_TRUE(view.errors.empty());
}

// The first scan runs before the configured name is handed over, so only a later refresh
// judges the visible networks by it.
TEST_F(Lifecycle, TheFirstScanRunsBeforeTheNameIsHandedOver) {
  AddUsualConnections();
  AddVisibleNetwork(kUsbWifiGuid, u"Cafe", 1);
  folder.Write("setup.ini", "[System]\r\nSSID=Cafe\r\n");

  MainWorkflow& workflow = StartAndShow();
  EXPECT_EQ(view.nearbySignal, "") << "cleared by the scan, not found under the default name";

  workflow.actRefresh2Execute();
  EXPECT_EQ(view.nearbySignal, "Orvane signal found nearby");
}

TEST_F(Lifecycle, AFailedFirstAdapterQueryIsReportedAndRefreshTriesAgain) {
  AddUsualConnections();
  machine.Log().FailCall("GetAdaptersInfo", 31, 1);

  MainWorkflow& workflow = Start();
  ASSERT_EQ(view.errors.size(), 1u);
  EXPECT_NE(view.errors[0].find("Code: 31."), std::string::npos) << view.errors[0];
  EXPECT_EQ(workflow.ConnectionManager(), nullptr);
  ASSERT_NE(workflow.WifiConnection(), nullptr) << "start-up went on";

  workflow.RefreshConnections();  // the window is shown: an empty list, no second error
  EXPECT_EQ(workflow.CurrentSourceGUID(), "");
  EXPECT_FALSE(workflow.SharingAvailable());
  EXPECT_EQ(view.errors.size(), 1u);
  EXPECT_TRUE(workflow.ActionsEnabled().refresh);

  workflow.actRefresh2Execute();
  ASSERT_NE(workflow.ConnectionManager(), nullptr);
  EXPECT_EQ(workflow.ConnectionManager()->Connections().Count(), 4u);
  EXPECT_EQ(workflow.CurrentSourceGUID(), kWiredGuid);
  EXPECT_TRUE(workflow.SharingAvailable());
}

TEST_F(Lifecycle, ARefreshThatStillCannotReadTheAdaptersEndsWithTheError) {
  AddUsualConnections();
  machine.Log().FailCall("GetAdaptersInfo", 31, 2);
  MainWorkflow& workflow = Start();
  EXPECT_THROW(workflow.actRefresh2Execute(), OsError);
  EXPECT_EQ(workflow.ConnectionManager(), nullptr);
  EXPECT_THROW(workflow.actStartSharingExecute(), std::runtime_error)
      << "a command that needs the list says so instead of crashing";
}

TEST_F(Lifecycle, ShutDownSavesSettingsDeletesTheOwnNetworkAndStopsSharingEverywhere) {
  AddUsualConnections();
  machine.AddConnection({.guid = "{00000000-0000-0000-0000-0000000000D0}",
                         .name = "Dial-up",
                         .status = platform::kNcsDisconnected,
                         .hasAdapter = false});
  MainWorkflow& workflow = StartAndShow();
  workflow.SetSSID("Garden");
  workflow.SetSourceGUID("{saved-but-gone}");
  machine.Log().ClearCalls();

  workflow.ShutDown();

  const std::string ini = folder.Read("setup.ini");
  EXPECT_NE(ini.find("SSID=Garden"), std::string::npos) << ini;
  EXPECT_NE(ini.find("SourceGUID={saved-but-gone}"), std::string::npos)
      << "a saved choice that matched nothing is kept";
  const auto deleted = machine.Log().CallsNamed("DeleteSsid");
  ASSERT_EQ(deleted.size(), 1u);
  EXPECT_EQ(deleted[0], std::string("DeleteSsid ") + kBuiltInWifiGuid + " Orvane")
      << "the name the component was given at start-up, on the first interface";
  const auto disabled = machine.Log().CallsNamed("DisableSharing");
  EXPECT_EQ(disabled.size(), machine.Sharing().ConnectionCount()) << "disconnected ones too";
  EXPECT_EQ(machine.Log().Count("UnRegisterNotification"), 1u);
  EXPECT_EQ(workflow.WifiConnection(), nullptr);
  EXPECT_EQ(workflow.ConnectionManager(), nullptr);
  EXPECT_TRUE(view.errors.empty());
}

TEST_F(Lifecycle, AFailedSettingsWriteIsReportedAndShutDownStillCleansUp) {
  AddUsualConnections();
  machine.System().SetSettingsFolder(folder.Folder() + "missing/");
  MainWorkflow& workflow = StartAndShow();
  workflow.actStartSharingExecute();
  ASSERT_TRUE(SharingOf(kWiredGuid).sharingEnabled);

  workflow.ShutDown();

  ASSERT_EQ(view.errors.size(), 1u);
  EXPECT_EQ(view.errors[0], "Unable to write to " + folder.Folder() + "missing/setup.ini");
  EXPECT_EQ(machine.Log().Count("DeleteSsid"), 1u);
  EXPECT_FALSE(SharingOf(kWiredGuid).sharingEnabled);
  EXPECT_FALSE(SharingOf(kUsbWifiGuid).sharingEnabled);
}

TEST_F(Lifecycle, ShutDownStopsSharingEvenWhenTheListWasNeverRead) {
  AddUsualConnections();
  AddSharedElsewhere("{00000000-0000-0000-0000-00000000000E}");
  machine.Log().FailCall("GetAdaptersInfo", 31, 1);
  MainWorkflow& workflow = Start();
  ASSERT_EQ(workflow.ConnectionManager(), nullptr);

  workflow.ShutDown();
  EXPECT_FALSE(SharingOf("{00000000-0000-0000-0000-00000000000E}").sharingEnabled);
}

// The monitor's first result may come before the events are assigned; it is shown all the same.
TEST_F(Lifecycle, InternetStatesReachTheViewFromTheFirstCheckOn) {
  machine.Internet().SetReachable(false);
  Start();
  ASSERT_TRUE(Eventually([&] { return !view.InternetStatuses().empty(); }));
  EXPECT_EQ(view.InternetStatuses()[0],
            (InternetStatusDisplay{"Internet is disconnected.", kRed, false}));

  machine.Internet().SetReachable(true);
  workflow->WifiConnection()->CheckInternetNow();
  ASSERT_TRUE(Eventually([&] { return view.InternetStatuses().back().connected; }));
  EXPECT_EQ(view.InternetStatuses().back(),
            (InternetStatusDisplay{"Internet is connected.", kGreen, true}));
  EXPECT_NE(view.InternetThreads().back(), std::this_thread::get_id()) << "the monitor's thread";
}

}  // namespace
}  // namespace orvane::testing
