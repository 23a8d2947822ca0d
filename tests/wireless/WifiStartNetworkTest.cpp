#include <gtest/gtest.h>

#include "WirelessTestSupport.h"

namespace orvane::test {
namespace {

using Lines = std::vector<std::string>;

class WifiStartNetwork : public WirelessFixture {
 protected:
  void SetUp() override { wifi = MakeWifi(); }

  // The radio calls the component made, without the probe's.
  Lines RadioCalls(std::initializer_list<const char*> names) const {
    Lines lines;
    for (const auto& call : log.Calls()) {
      for (const char* name : names) {
        if (call.rfind(std::string(name) + " ", 0) == 0) lines.push_back(call);
      }
    }
    return lines;
  }

  std::unique_ptr<TWifiConnection> wifi;
};

TEST_F(WifiStartNetwork, JoinsTheLaterOfTwoOwnRecordsWithTheCurrentKey) {
  radio.AddInterface(u"{A}");
  radio.AddInterface(u"{B}");
  radio.AddNetwork(u"{A}", {u"Velmora", 1, 1, 11, 12, {}});
  radio.AddNetwork(u"{B}", {u"Velmora", 0, 1, 21, 22, {}});
  wifi->RefreshNetworks();
  wifi->SetSecurity(NetworkSecurity::Wep);
  wifi->SetKey("abcde");

  EXPECT_TRUE(wifi->StartNetwork());

  EXPECT_EQ(RadioCalls({"Connect", "Disconnect", "AddSsid", "AddSsidEx"}),
            Lines{"Connect {B} Velmora abcde 1 21 22"})
      << "a connected own record is not left, and the key is the one set after the refresh";
}

TEST_F(WifiStartNetwork, JoinsANetworkOfTheOwnNameWhateverItsSecurity) {
  radio.AddInterface(u"{A}");
  radio.AddNetwork(u"{A}", {u"Cafe", 0, 3, 0, 0, {}});
  radio.AddNetwork(u"{A}", {u"Velmora", 1, 2, 2, 0x100, {}});
  wifi->SetKey("k7Pq2mZx9aBc");
  wifi->RefreshNetworks();

  EXPECT_TRUE(wifi->StartNetwork());

  EXPECT_EQ(RadioCalls({"Connect", "Disconnect", "AddSsid", "AddSsidEx"}),
            (Lines{"Disconnect {A}", "Connect {A} Velmora k7Pq2mZx9aBc 2 2 256"}))
      << "what the network announces goes to the library, which joins it that way";
}

TEST_F(WifiStartNetwork, LeavesAForeignConnectionAndCreatesTheNetworkOnTheFirstInterface) {
  radio.AddInterface(u"{A}");
  radio.AddInterface(u"{B}");
  radio.AddNetwork(u"{B}", {u"Cafe", 0, 2, 0, 0, {}});
  wifi->SetKey("k7Pq2mZx9aBc");
  wifi->RefreshNetworks();

  EXPECT_TRUE(wifi->StartNetwork());

  EXPECT_EQ(RadioCalls({"Connect", "Disconnect", "AddSsid", "AddSsidEx"}),
            (Lines{"Disconnect {B}", "AddSsidEx {A} Velmora k7Pq2mZx9aBc 2"}));
  EXPECT_EQ(wifi->Networks().Objects(0)->State, TWLanNetwork::kStateLeft);
  const auto created = radio.Networks(u"{A}");
  ASSERT_EQ(created.size(), 1u);
  EXPECT_EQ(created[0].kind, sim::SimRadio::kKindWpa) << "the simulated radio hosts it, WPA2";
}

TEST_F(WifiStartNetwork, AWepNetworkIsMadeTheOldWayAndWpa2NeedsALibraryThatTakesIt) {
  radio.AddInterface(u"{A}");
  wifi->RefreshNetworks();
  wifi->SetSecurity(NetworkSecurity::Wep);
  wifi->SetKey("73915");
  ASSERT_TRUE(wifi->CreateNetwork());
  EXPECT_EQ(RadioCalls({"AddSsid"}), Lines{"AddSsid {A} Velmora 73915"});
  EXPECT_EQ(radio.Networks(u"{A}")[0].kind, sim::SimRadio::kKindWep);

  // A library from before the choice has no AddSsidEx: WPA2 is refused, not made as WEP.
  OrvaneWirelessLibrary older = sim::SimRadio::Library();
  older.AddSsidEx = nullptr;
  wifi.reset();
  TWifiConnection other(older, internet, system);
  other.RefreshNetworks();
  other.SetKey("k7Pq2mZx9aBc");
  log.ClearCalls();
  EXPECT_FALSE(other.CreateNetwork());
  EXPECT_EQ(other.LastError(), TWifiConnection::kNotSupported);
  EXPECT_EQ(RadioCalls({"AddSsid", "AddSsidEx"}), Lines{});
}

TEST_F(WifiStartNetwork, WithoutAnyInterfaceFailsWithoutCallingTheLibrary) {
  wifi->RefreshNetworks();
  log.ClearCalls();

  EXPECT_FALSE(wifi->StartNetwork());
  EXPECT_FALSE(wifi->CreateNetwork());
  EXPECT_FALSE(wifi->DeleteNetwork());
  EXPECT_EQ(RadioCalls({"AddSsid", "AddSsidEx", "DeleteSsid", "Connect"}), Lines{});
  EXPECT_EQ(wifi->LastError(), TWifiConnection::kNoInterface);

  // When the enumeration itself failed, its code says why there is no interface.
  log.FailCall("EnumInterface", 1062);
  wifi->RefreshNetworks();
  EXPECT_FALSE(wifi->StartNetwork());
  EXPECT_EQ(wifi->LastError(), 1062u);
}

TEST_F(WifiStartNetwork, ReportsTheLibrarysRefusal) {
  radio.AddInterface(u"{A}");
  wifi->RefreshNetworks();
  wifi->SetKey("k7Pq2mZx9aBc");
  log.FailCall("AddSsidEx", 5);
  EXPECT_FALSE(wifi->StartNetwork());
  EXPECT_EQ(wifi->LastError(), 5u);
  EXPECT_FALSE(wifi->DeleteNetwork()) << "nothing was created to delete";
  EXPECT_EQ(wifi->LastError(), sim::SimRadio::kErrorNotFound);
  log.ClearFailures();
  EXPECT_TRUE(wifi->StartNetwork());
  EXPECT_EQ(wifi->LastError(), 0u);
}

// The reason a library gives for the last failure; what the component asks it for.
std::u16string g_reasonText;
uint32_t g_reasonAsked = 0;
uint32_t ORVANE_WLAN_CDECL ScriptedReason(char16_t* text, uint32_t units) {
  ++g_reasonAsked;
  const std::u16string cut = g_reasonText.substr(0, units - 1);
  std::copy(cut.begin(), cut.end(), text);
  text[cut.size()] = u'\0';
  return 0x30001;
}

TEST_F(WifiStartNetwork, AFailureCarriesTheLibrarysReasonTextAndASuccessNone) {
  OrvaneWirelessLibrary table = sim::SimRadio::Library();
  table.LastReason = ScriptedReason;
  wifi.reset();
  TWifiConnection withReasons(table, internet, system);
  radio.AddInterface(u"{A}");
  withReasons.RefreshNetworks();
  withReasons.SetKey("k7Pq2mZx9aBc");
  g_reasonText = u"The network is not available.";
  g_reasonAsked = 0;

  log.FailCall("AddSsidEx", 1236);
  EXPECT_FALSE(withReasons.StartNetwork());
  EXPECT_EQ(withReasons.LastError(), 1236u);
  EXPECT_EQ(withReasons.LastReason(), "The network is not available.");

  // A text longer than the component takes is cut, never overrun.
  g_reasonText = std::u16string(TWifiConnection::kReasonUnits + 40, u'x');
  EXPECT_FALSE(withReasons.StartNetwork());
  EXPECT_EQ(withReasons.LastReason(), std::string(TWifiConnection::kReasonUnits - 1, 'x'));

  log.ClearFailures();
  EXPECT_TRUE(withReasons.StartNetwork());
  EXPECT_EQ(withReasons.LastReason(), "") << "a success has no reason";
  EXPECT_EQ(g_reasonAsked, 2u) << "asked only after a failure";
}

TEST_F(WifiStartNetwork, DeleteNetworkNamesTheFirstInterfaceAndNoKey) {
  radio.AddInterface(u"{A}");
  radio.AddInterface(u"{B}");
  wifi->RefreshNetworks();
  wifi->SetSSID("Mine");
  wifi->SetKey("k7Pq2mZx9aBc");
  ASSERT_TRUE(wifi->CreateNetwork());

  EXPECT_TRUE(wifi->DeleteNetwork());

  EXPECT_EQ(RadioCalls({"AddSsid", "AddSsidEx", "DeleteSsid"}),
            (Lines{"AddSsidEx {A} Mine k7Pq2mZx9aBc 2", "DeleteSsid {A} Mine"}));
  EXPECT_TRUE(radio.Networks(u"{A}").empty());
}

TEST(WLanNetwork, JoinPassesKnownKindsAndZeroForOthers) {
  sim::SimCallLog log;
  sim::SimRadio radio(log);
  radio.AddInterface(u"{A}");
  radio.AddNetwork(u"{A}", {u"Net", 1, 2, 0, 0, {}});
  TWLanNetwork network(sim::SimRadio::Library());
  network.InterfaceName = u"{A}";
  network.SSID = u"Net";
  network.Key = u"k";
  network.ConnectValue1 = 4;
  network.ConnectValue2 = 5;

  network.Kind = 2;
  EXPECT_TRUE(network.Join());
  network.Kind = 4;
  EXPECT_TRUE(network.Join());
  network.Kind = 255;
  network.Join();

  EXPECT_EQ(log.CallsNamed("Connect"), (Lines{"Connect {A} Net k 2 4 5", "Connect {A} Net k 0 4 5",
                                              "Connect {A} Net k 0 4 5"}));
}

TEST(WLanNetwork, LeaveMarksTheRecordLeftWhateverTheLibrarySays) {
  sim::SimCallLog log;
  sim::SimRadio radio(log);
  log.FailCall("Disconnect", 87);
  TWLanNetwork network(sim::SimRadio::Library());
  network.InterfaceName = u"{gone}";
  network.State = TWLanNetwork::kStateConnected;

  network.Leave();

  EXPECT_EQ(network.State, TWLanNetwork::kStateLeft);
  EXPECT_EQ(log.CallsNamed("Disconnect"), Lines{"Disconnect {gone}"});
}

}  // namespace
}  // namespace orvane::test
