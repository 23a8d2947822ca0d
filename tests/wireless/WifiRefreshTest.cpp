#include <gtest/gtest.h>

#include "WirelessTestSupport.h"

namespace orvane::test {
namespace {

struct Found {
  std::u16string ssid;
  uint8_t state;
  uint8_t kind;
  bool operator==(const Found&) const = default;
};

class WifiRefresh : public WirelessFixture {
 protected:
  void SetUp() override {
    wifi = MakeWifi();
    wifi->OnBeforeRefresh = [this](TWifiConnection& sender) {
      EXPECT_EQ(&sender, wifi.get());
      found.push_back({u"<before>", 0, 0});
    };
    wifi->OnNetworkFound = [this](const std::u16string& ssid, uint8_t state, uint8_t kind) {
      found.push_back({ssid, state, kind});
    };
  }

  std::vector<std::u16string> Ssids() const {
    std::vector<std::u16string> ssids;
    for (const auto& entry : wifi->Networks()) ssids.push_back(entry.object->SSID);
    return ssids;
  }

  std::unique_ptr<TWifiConnection> wifi;
  std::vector<Found> found;
};

TEST_F(WifiRefresh, AWepKeyIsTakenOnlyWithFiveOrThirteenCharactersOnceTrimmed) {
  wifi->SetSecurity(NetworkSecurity::Wep);
  wifi->SetKey("73915");
  wifi->SetKey("1234");
  wifi->SetKey("12345678");
  wifi->SetKey("  abc  ");
  wifi->SetKey("");
  EXPECT_EQ(wifi->Key(), "73915") << "other lengths leave the key alone";

  wifi->SetKey("abcde");
  EXPECT_EQ(wifi->Key(), "abcde");
  wifi->SetKey("abcdefghijklm");
  EXPECT_EQ(wifi->Key(), "abcdefghijklm");
  wifi->SetKey("73915 ");
  EXPECT_EQ(wifi->Key(), "73915 ") << "accepted by its trimmed length, stored as given";
  wifi->SetKey("\t1 2 3\r\n");
  EXPECT_EQ(wifi->Key(), "\t1 2 3\r\n") << "inner blanks count, control characters trim";
}

TEST_F(WifiRefresh, AWpa2KeyFollowsThePassphraseRuleAndSecurityDropsAKeyThatNoLongerFits) {
  EXPECT_EQ(wifi->Security(), NetworkSecurity::Wpa2);
  EXPECT_EQ(wifi->Key(), "") << "no key of its own until one is set";
  wifi->SetKey("73915");
  wifi->SetKey("caf\xC3\xA9 1234");
  EXPECT_EQ(wifi->Key(), "");
  wifi->SetKey(" 1234567890123 ");
  EXPECT_EQ(wifi->Key(), " 1234567890123 ") << "13 characters are a passphrase too";

  wifi->SetSecurity(NetworkSecurity::Wep);
  EXPECT_EQ(wifi->Key(), " 1234567890123 ") << "and fit WEP as well";
  wifi->SetKey("abcde");
  wifi->SetSecurity(NetworkSecurity::Wpa2);
  EXPECT_EQ(wifi->Key(), "") << "a five-character key is no WPA2 key";
}

TEST_F(WifiRefresh, SsidIsStoredAsGiven) {
  EXPECT_EQ(wifi->SSID(), "Velmora");
  wifi->SetSSID(" My Net ");
  EXPECT_EQ(wifi->SSID(), " My Net ");
  wifi->SetSSID(" My Net ");
  EXPECT_EQ(wifi->SSID(), " My Net ");
}

TEST_F(WifiRefresh, ListsNetworksInterfaceAfterInterfaceInLibraryOrder) {
  radio.AddInterface(u"{A}");
  radio.AddInterface(u"{B}");
  radio.AddNetwork(u"{B}", {u"Velmora", 1, 1, 7, 8, {}});
  radio.AddNetwork(u"{A}", {u"Cafe", 0, 2, 1, 2, {}});
  radio.AddNetwork(u"{A}", {u"Velmora", 1, 2, 3, 4, {}});
  wifi->SetKey("k7Pq2mZx9aBc");

  wifi->RefreshNetworks();

  EXPECT_EQ(log.CallsNamed("GetVisibleNetworkList"),
            (std::vector<std::string>{"GetVisibleNetworkList {A}", "GetVisibleNetworkList {B}"}));
  EXPECT_EQ(found,
            (std::vector<Found>{
                {u"<before>", 0, 0}, {u"Cafe", 0, 2}, {u"Velmora", 1, 2}, {u"Velmora", 1, 1}}));
  ASSERT_EQ(wifi->NetworkCount(), 3);
  ASSERT_EQ(wifi->Networks().Count(), 3u);
  EXPECT_EQ(wifi->Networks().Strings(2), "Velmora");
  const TWLanNetwork& own = *wifi->Networks().Objects(2);
  EXPECT_EQ(own.InterfaceName, u"{B}");
  EXPECT_EQ(own.ConnectValue1, 7u);
  EXPECT_EQ(own.ConnectValue2, 8u);
  EXPECT_EQ(own.Key, u"k7Pq2mZx9aBc") << "the own network's record carries the key";
  EXPECT_EQ(wifi->Networks().Objects(1)->Key, u"k7Pq2mZx9aBc") << "whatever its kind";
  EXPECT_EQ(wifi->Networks().Objects(0)->Key, u"") << "another name";
  EXPECT_EQ(wifi->ConnectedNetwork(), wifi->Networks().Objects(0));
  EXPECT_EQ(wifi->ConnectedSSID(), "Cafe");
}

TEST_F(WifiRefresh, BlankSsidsGiveNoRecordAndNoEvent) {
  radio.AddInterface(u"{A}");
  radio.AddNetwork(u"{A}", {u"", 0, 1, 0, 0, {}});
  radio.AddNetwork(u"{A}", {u"   ", 0, 1, 0, 0, {}});
  radio.AddNetwork(u"{A}", {u"\t\r\n", 0, 1, 0, 0, {}});
  radio.AddNetwork(u"{A}", {u" Caf\u00e9 ", 1, 3, 0, 0, {}});

  wifi->RefreshNetworks();

  EXPECT_EQ(Ssids(), std::vector<std::u16string>{u" Caf\u00e9 "}) << "kept untrimmed";
  EXPECT_EQ(found.size(), 2u);
  EXPECT_EQ(wifi->NetworkCount(), 1);
  EXPECT_EQ(wifi->ConnectedNetwork(), nullptr) << "the blank connected entries were skipped";
  EXPECT_EQ(wifi->Networks().Strings(0), " Caf\xc3\xa9 ") << "entry text is 8-bit (UTF-8 here)";
}

TEST_F(WifiRefresh, TheLastConnectedRecordWins) {
  radio.AddInterface(u"{A}");
  radio.AddInterface(u"{B}");
  radio.AddNetwork(u"{A}", {u"First", 0, 2, 0, 0, {}});
  radio.AddNetwork(u"{B}", {u"Second", 0, 2, 0, 0, {}});
  radio.AddNetwork(u"{B}", {u"Third", 1, 2, 0, 0, {}});

  wifi->RefreshNetworks();

  ASSERT_NE(wifi->ConnectedNetwork(), nullptr);
  EXPECT_EQ(wifi->ConnectedNetwork()->SSID, u"Second");
  EXPECT_EQ(wifi->ConnectedSSID(), "Second");
}

TEST_F(WifiRefresh, ARefreshReplacesTheLastOne) {
  radio.AddInterface(u"{A}");
  radio.AddNetwork(u"{A}", {u"Old", 0, 2, 0, 0, {}});
  wifi->RefreshNetworks();
  ASSERT_EQ(wifi->ConnectedSSID(), "Old");

  log.FailCall("GetVisibleNetworkList", 5);
  wifi->RefreshNetworks();

  EXPECT_EQ(wifi->NetworkCount(), 0) << "the library left the list empty";
  EXPECT_TRUE(wifi->Networks().Empty());
  EXPECT_EQ(wifi->ConnectedNetwork(), nullptr);
  EXPECT_EQ(wifi->ConnectedSSID(), "");
}

TEST_F(WifiRefresh, AFailedInterfaceQueryRequestsNoNetworkList) {
  radio.AddInterface(u"{A}");
  radio.AddNetwork(u"{A}", {u"Cafe", 1, 2, 0, 0, {}});
  log.FailCall("EnumInterface", 1062);

  wifi->RefreshNetworks();

  EXPECT_EQ(log.Count("GetVisibleNetworkList"), 0u);
  EXPECT_EQ(found.size(), 1u) << "OnBeforeRefresh only";
  EXPECT_EQ(wifi->NetworkCount(), 0);
}

TEST_F(WifiRefresh, ARefusedNetworkListIsEmptyAndItsCodeKept) {
  radio.AddInterface(u"{A}");
  radio.AddInterface(u"{B}");
  radio.AddNetwork(u"{B}", {u"Cafe", 1, 2, 0, 0, {}});
  wifi->RefreshNetworks();
  EXPECT_EQ(wifi->NetworkListResult(), 0u);

  log.FailCall("GetVisibleNetworkList", 5);  // no location consent
  wifi->RefreshNetworks();
  EXPECT_EQ(wifi->NetworkListResult(), 5u);
  EXPECT_EQ(wifi->NetworkCount(), 0);

  log.ClearFailures();
  wifi->RefreshNetworks();
  EXPECT_EQ(wifi->NetworkListResult(), 0u) << "each refresh says afresh";
  EXPECT_EQ(wifi->NetworkCount(), 1);
}

TEST_F(WifiRefresh, ReadsFullListsOnEveryInterface) {
  const std::u16string ids[] = {u"{0}", u"{1}", u"{2}", u"{3}"};
  for (const auto& id : ids) {
    radio.AddInterface(id);
    for (int j = 0; j < 21; ++j) {
      radio.AddNetwork(id, {id + u"-" + std::u16string(1, u'a' + j), 1, 3, 0, 0, {}});
    }
  }

  wifi->RefreshNetworks();

  ASSERT_EQ(wifi->NetworkCount(), 84);
  EXPECT_EQ(wifi->Networks().Objects(83)->SSID, u"{3}-u");
  EXPECT_EQ(wifi->Networks().Objects(83)->InterfaceName, u"{3}");
}

}  // namespace
}  // namespace orvane::test
