#include "network/ConnectionUnit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "NetworkFixture.h"
#include "common/Errors.h"

namespace orvane {
namespace {

using sim::SimConnection;
using testing::AdapterRecordFor;
using testing::TestGuid;

std::string Lower(std::string text) {
  std::ranges::transform(text, text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

class ConnectionManagerTest : public testing::NetworkTest {
 protected:
  // The manager loads the adapters when it is made, so the machine has one before that.
  ConnectionManagerTest() {
    network.AddAdapter(AdapterRecordFor(1, TestGuid(1), {"10.0.0.2"}));
    manager = std::make_unique<TConnectionManager>(network, network, sharing, system, ifTable);
  }

  void AddConnection(int n, const std::u16string& name, uint32_t status = platform::kNcsConnected,
                     bool shared = false, int32_t type = platform::kIcsSharingTypePublic) {
    sharing.AddConnection(
        {TestGuid(n), name, u"Device " + name, status, platform::kNcmLan, shared, type});
  }

  std::vector<std::string> ConnectionNames() const {
    std::vector<std::string> names;
    for (const auto& entry : manager->Connections()) names.push_back(entry.text);
    return names;
  }

  // The operation ran inside one COM session that released every object before it ended.
  void ExpectOneComSession() {
    const std::vector<std::string> calls = log.Calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), "CoInitialize");
    EXPECT_EQ(calls.back(), "CoUninitialize");
    EXPECT_EQ(log.Count("CoInitialize"), 1u);
    EXPECT_EQ(log.Count("CoUninitialize"), 1u);
    EXPECT_EQ(sharing.LiveObjectsAtLastUninitialize(), 0u);
  }

  const SimConnection& Sim(std::size_t index) const { return sharing.Connection(index); }

  InterfaceTableBlock ifTable{network};
  std::unique_ptr<TConnectionManager> manager;
};

TEST_F(ConnectionManagerTest, CreationLoadsAdaptersButNoConnection) {
  EXPECT_EQ(manager->Adapters().Adapters().Count(), 1u);
  EXPECT_TRUE(manager->Connections().Empty());
  EXPECT_EQ(log.Count("CoInitialize"), 0u);
}

TEST_F(ConnectionManagerTest, CreationFailsWhenTheAdapterQueryFails) {
  log.FailCall("GetAdaptersInfo", 31, 1);
  EXPECT_THROW((TConnectionManager{network, network, sharing, system, ifTable}), OsError);
}

TEST_F(ConnectionManagerTest, RefreshListsConnectionsWithKindAndAdapterData) {
  platform::AdapterRecord lowerCaseName = AdapterRecordFor(4, Lower(TestGuid(2)), {"192.168.0.9"});
  lowerCaseName.dhcpEnabled = 1;
  lowerCaseName.gateways = {{"192.168.0.1", ""}};
  network.AddAdapter(AdapterRecordFor(3, TestGuid(2), {"172.16.0.1"}));
  network.AddAdapter(lowerCaseName);
  network.SetConnectionKind(TestGuid(2), "PCI\\VEN_8086", true);
  network.AddInterfaceRow({4, 1});
  AddConnection(1, u"Local Area Connection");
  AddConnection(2, u"Wireless Network Connection", platform::kNcsMediaDisconnected);
  AddConnection(3, u"Off", platform::kNcsDisconnected);
  AddConnection(5, u"VPN");
  AddConnection(6, u"VPN");
  AddConnection(7, u"R\u00e9seau");
  log.ClearCalls();

  manager->Refresh();
  ExpectOneComSession();
  EXPECT_EQ(ConnectionNames(),
            (std::vector<std::string>{"Local Area Connection", "Wireless Network Connection", "VPN",
                                      "VPN", "R\xc3\xa9seau"}))
      << "disconnected ones are left out; equal names are both listed";

  const TConnection& wireless = *manager->Connections().Objects(1);
  EXPECT_EQ(wireless.GUID, TestGuid(2));
  EXPECT_EQ(wireless.DeviceName, "Device Wireless Network Connection");
  EXPECT_EQ(wireless.Status, platform::kNcsMediaDisconnected);
  EXPECT_EQ(wireless.MediaType, platform::kNcmLan);
  EXPECT_TRUE(wireless.IsPhysical);
  EXPECT_TRUE(wireless.IsWireless);
  // Two adapters match, ignoring case: the later one's data is copied.
  EXPECT_TRUE(wireless.DhcpEnabled);
  EXPECT_EQ(wireless.IPAddresses, std::vector<std::string>{"192.168.0.9"});
  EXPECT_EQ(wireless.IPMasks, std::vector<std::string>{"255.255.255.0"});
  EXPECT_EQ(wireless.Gateways, std::vector<std::string>{"192.168.0.1"});
  EXPECT_EQ(manager->Adapters().Adapters().Objects(2)->OperStatus, 1u)
      << "the adapters' status was read too";

  const TConnection& vpn = *manager->Connections().Objects(2);
  EXPECT_FALSE(vpn.IsPhysical || vpn.IsWireless);
  EXPECT_FALSE(vpn.DhcpEnabled);
  EXPECT_TRUE(vpn.IPAddresses.empty() && vpn.IPMasks.empty() && vpn.Gateways.empty());

  EXPECT_EQ(manager->Connections().Objects(0)->IPAddresses, std::vector<std::string>{"10.0.0.2"});
}

TEST_F(ConnectionManagerTest, RefreshFailuresKeepWhatWasAppendedAndReportNothing) {
  AddConnection(1, u"LAN");
  AddConnection(2, u"WLAN");
  AddConnection(3, u"Other");
  manager->Refresh();
  ASSERT_EQ(manager->Connections().Count(), 3u);

  // The adapter inventory fails: the old list is gone and nothing new is enumerated.
  log.ClearCalls();
  log.FailCall("GetAdaptersInfo", 111, 1);
  manager->Refresh();
  EXPECT_TRUE(manager->Connections().Empty());
  EXPECT_EQ(log.Count("CreateSharingManager"), 0u);
  ExpectOneComSession();

  platform::ConnectionKindFacts wrongType;
  wrongType.keyOpened = true;
  wrongType.pnpInstanceId = platform::StoredText::WrongType();
  network.SetConnectionKindFacts(TestGuid(2), wrongType);
  log.ClearCalls();
  manager->Refresh();
  EXPECT_EQ(ConnectionNames(), std::vector<std::string>{"LAN"});
  ExpectOneComSession();
  network.SetConnectionKindFacts(TestGuid(2), {});

  log.ClearCalls();
  log.FailCall("Next", platform::kEFail, 1, 2);
  manager->Refresh();
  EXPECT_EQ(ConnectionNames(), (std::vector<std::string>{"LAN", "WLAN"}))
      << "a failing Next ends the walk";
  ExpectOneComSession();

  log.ClearCalls();
  log.FailCall("CreateSharingManager", platform::kEAccessDenied, 1);
  manager->Refresh();
  EXPECT_TRUE(manager->Connections().Empty());
  ExpectOneComSession();
}

TEST_F(ConnectionManagerTest, StartSharingMakesTheSourcePublicAndTheDestinationPrivate) {
  AddConnection(1, u"LAN");
  AddConnection(2, u"Off", platform::kNcsDisconnected);  // matched although Refresh skips it
  AddConnection(3, u"WLAN");
  log.ClearCalls();

  EXPECT_TRUE(manager->StartSharing(TestGuid(1), TestGuid(2)));
  ExpectOneComSession();
  EXPECT_EQ(log.CallsNamed("EnableSharing"),
            (std::vector<std::string>{"EnableSharing " + TestGuid(1) + " 0",
                                      "EnableSharing " + TestGuid(2) + " 1"}));
  EXPECT_TRUE(Sim(0).sharingEnabled);
  EXPECT_EQ(Sim(0).sharingType, platform::kIcsSharingTypePublic);
  EXPECT_TRUE(Sim(1).sharingEnabled);
  EXPECT_EQ(Sim(1).sharingType, platform::kIcsSharingTypePrivate);
  EXPECT_FALSE(Sim(2).sharingEnabled);
}

TEST_F(ConnectionManagerTest, StartSharingLeavesAnAlreadySharedSideAsItIs) {
  AddConnection(1, u"LAN");
  AddConnection(2, u"WLAN", platform::kNcsConnected, true, platform::kIcsSharingTypePublic);
  log.ClearCalls();

  EXPECT_TRUE(manager->StartSharing(TestGuid(1), TestGuid(2)));
  EXPECT_EQ(log.CallsNamed("EnableSharing"),
            std::vector<std::string>{"EnableSharing " + TestGuid(1) + " 0"});
  EXPECT_EQ(Sim(1).sharingType, platform::kIcsSharingTypePublic) << "its role is not changed";
}

TEST_F(ConnectionManagerTest, StartSharingRefusesWhatItCannotMatch) {
  AddConnection(1, u"LAN");
  AddConnection(2, u"WLAN");

  log.ClearCalls();
  EXPECT_FALSE(manager->StartSharing("", TestGuid(2)));
  EXPECT_FALSE(manager->StartSharing(TestGuid(1), ""));
  EXPECT_TRUE(log.Calls().empty()) << "no COM call for an empty GUID";

  EXPECT_FALSE(manager->StartSharing(TestGuid(1), TestGuid(9)));
  EXPECT_FALSE(manager->StartSharing(TestGuid(1), Lower(TestGuid(2)))) << "matching is exact";
  EXPECT_EQ(log.Count("GetSharingEnabled") + log.Count("EnableSharing"), 0u);
  EXPECT_FALSE(Sim(0).sharingEnabled || Sim(1).sharingEnabled);
}

TEST_F(ConnectionManagerTest, OneConnectionForBothIsAskedForThePrivateSideToo) {
  AddConnection(1, u"WLAN");
  AddConnection(2, u"LAN");
  log.ClearCalls();

  // The private side goes beside the public one, so it is asked although the connection
  // already reads as shared.
  EXPECT_TRUE(manager->StartSharing(TestGuid(1), TestGuid(1)));
  EXPECT_EQ(log.CallsNamed("EnableSharing"),
            (std::vector<std::string>{"EnableSharing " + TestGuid(1) + " 0",
                                      "EnableSharing " + TestGuid(1) + " 1"}));
  ExpectOneComSession();

  log.FailCall("EnableSharing", platform::kEFail, 1);
  EXPECT_FALSE(manager->StartSharing(TestGuid(1), TestGuid(1)));
  EXPECT_EQ(manager->LastFailure().code, platform::kEFail);
}

TEST_F(ConnectionManagerTest, StartSharingUsesTheLaterOfTwoConnectionsWithOneGuid) {
  AddConnection(1, u"LAN");
  AddConnection(2, u"WLAN first");
  AddConnection(2, u"WLAN second");

  EXPECT_TRUE(manager->StartSharing(TestGuid(1), TestGuid(2)));
  EXPECT_FALSE(Sim(1).sharingEnabled);
  EXPECT_TRUE(Sim(2).sharingEnabled);
}

TEST_F(ConnectionManagerTest, StartSharingKeepsWhatTookEffectBeforeAFailure) {
  AddConnection(1, u"LAN");
  AddConnection(2, u"WLAN");
  log.FailCall("EnableSharing " + TestGuid(2) + " 1", platform::kEFail);
  log.ClearCalls();

  EXPECT_FALSE(manager->StartSharing(TestGuid(1), TestGuid(2)));
  ExpectOneComSession();
  EXPECT_TRUE(Sim(0).sharingEnabled) << "the source stays public";
  EXPECT_EQ(Sim(0).sharingType, platform::kIcsSharingTypePublic);
  EXPECT_FALSE(Sim(1).sharingEnabled);

  log.ClearFailures();
  log.ClearCalls();
  log.FailCall("GetSharingEnabled", platform::kEAccessDenied);
  EXPECT_FALSE(manager->StartSharing(TestGuid(1), TestGuid(2)));
  EXPECT_EQ(log.Count("EnableSharing"), 0u);
  ExpectOneComSession();

  for (const char* call : {"CreateSharingManager", "EnumEveryConnection", "GetConfiguration"}) {
    log.ClearFailures();
    log.ClearCalls();
    log.FailCall(call, platform::kEFail);
    EXPECT_FALSE(manager->StartSharing(TestGuid(1), TestGuid(2))) << call;
    ExpectOneComSession();
  }
}

TEST_F(ConnectionManagerTest, StopSharingDisablesEveryConnectionWhateverItsStatus) {
  AddConnection(1, u"LAN", platform::kNcsConnected, true, platform::kIcsSharingTypePublic);
  AddConnection(2, u"Off", platform::kNcsDisconnected, true, platform::kIcsSharingTypePrivate);
  AddConnection(3, u"WLAN");
  log.ClearCalls();

  EXPECT_TRUE(manager->StopSharing());
  ExpectOneComSession();
  EXPECT_EQ(log.Count("DisableSharing"), 3u);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_FALSE(Sim(i).sharingEnabled) << i;
}

TEST_F(ConnectionManagerTest, StopSharingCarriesOnPastAConnectionThatFails) {
  // A connection that cannot be read (as VPN and incoming ones answer) or that refuses.
  int base = 0;  // each case adds three connections of its own
  for (const std::string call : {"GetConfiguration ", "DisableSharing "}) {
    SCOPED_TRACE(call);
    for (int n = 1; n <= 3; ++n) AddConnection(base + n, u"C", platform::kNcsConnected, true);
    log.ClearFailures();
    log.FailCall(call + TestGuid(base + 2), platform::kEAccessDenied);
    log.ClearCalls();

    EXPECT_FALSE(manager->StopSharing());
    ExpectOneComSession();
    const auto first = static_cast<std::size_t>(base);
    EXPECT_FALSE(Sim(first).sharingEnabled);
    EXPECT_TRUE(Sim(first + 1).sharingEnabled);
    EXPECT_FALSE(Sim(first + 2).sharingEnabled) << "the connections after it are still turned off";
    EXPECT_EQ(manager->NotStopped(), std::vector<std::string>{TestGuid(base + 2)});
    base += 3;
  }
}

TEST_F(ConnectionManagerTest, StopSharingWithNoConnectionSucceeds) {
  log.ClearCalls();
  EXPECT_TRUE(manager->StopSharing());
  ExpectOneComSession();
  EXPECT_EQ(log.Count("Next"), 1u);
}

TEST_F(ConnectionManagerTest, ARefusedComInitialisationIsNotBalanced) {
  AddConnection(1, u"LAN", platform::kNcsConnected, true);
  log.FailCall("CoInitialize", platform::kRpcEChangedMode, 1);
  log.ClearCalls();

  EXPECT_TRUE(manager->StopSharing()) << "COM is still usable in the thread's other mode";
  EXPECT_EQ(log.Count("CoUninitialize"), 0u);
  EXPECT_EQ(sharing.LiveObjects(), 0u);
}

}  // namespace
}  // namespace orvane
