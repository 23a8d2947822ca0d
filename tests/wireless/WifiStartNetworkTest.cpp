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
  wifi->SetKey("abcde");

  EXPECT_TRUE(wifi->StartNetwork());

  EXPECT_EQ(RadioCalls({"Connect", "Disconnect", "AddSsid"}),
            Lines{"Connect {B} Velmora abcde 1 21 22"})
      << "a connected own record is not left, and the key is the one set after the refresh";
}

TEST_F(WifiStartNetwork, LeavesAForeignConnectionAndCreatesTheNetworkOnTheFirstInterface) {
  radio.AddInterface(u"{A}");
  radio.AddInterface(u"{B}");
  radio.AddNetwork(u"{B}", {u"Velmora", 0, 2, 0, 0, {}});
  wifi->RefreshNetworks();

  EXPECT_TRUE(wifi->StartNetwork());

  EXPECT_EQ(RadioCalls({"Connect", "Disconnect", "AddSsid"}),
            (Lines{"Disconnect {B}", "AddSsid {A} Velmora 73915"}));
  EXPECT_EQ(wifi->Networks().Objects(0)->State, TWLanNetwork::kStateLeft);
  const auto created = radio.Networks(u"{A}");
  ASSERT_EQ(created.size(), 1u);
  EXPECT_EQ(created[0].kind, 1) << "the simulated radio now hosts the own network";
}

TEST_F(WifiStartNetwork, WithoutAnyInterfaceFailsWithoutCallingTheLibrary) {
  wifi->RefreshNetworks();
  log.ClearCalls();

  EXPECT_FALSE(wifi->StartNetwork());
  EXPECT_FALSE(wifi->CreateNetwork());
  EXPECT_FALSE(wifi->DeleteNetwork());
  EXPECT_EQ(RadioCalls({"AddSsid", "DeleteSsid", "Connect"}), Lines{});
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
  log.FailCall("AddSsid", 5);
  EXPECT_FALSE(wifi->StartNetwork());
  EXPECT_EQ(wifi->LastError(), 5u);
  EXPECT_FALSE(wifi->DeleteNetwork()) << "nothing was created to delete";
  EXPECT_EQ(wifi->LastError(), sim::SimRadio::kErrorNotFound);
  log.ClearFailures();
  EXPECT_TRUE(wifi->StartNetwork());
  EXPECT_EQ(wifi->LastError(), 0u);
}

TEST_F(WifiStartNetwork, DeleteNetworkNamesTheFirstInterfaceAndNoKey) {
  radio.AddInterface(u"{A}");
  radio.AddInterface(u"{B}");
  wifi->RefreshNetworks();
  wifi->SetSSID("Mine");
  ASSERT_TRUE(wifi->CreateNetwork());

  EXPECT_TRUE(wifi->DeleteNetwork());

  EXPECT_EQ(RadioCalls({"AddSsid", "DeleteSsid"}),
            (Lines{"AddSsid {A} Mine 73915", "DeleteSsid {A} Mine"}));
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
