// The wireless component over the NetworkManager library and the mock service: what the
// window's commands end up asking of NetworkManager.

#include <gtest/gtest.h>

#include <memory>

#include "PrivateBus.h"
#include "platform/linux/wireless/NmWirelessLibrary.h"
#include "support/MockNetworkManager.h"
#include "wireless/WirelessTestSupport.h"

namespace orvane {
namespace {

using Security = orvane::testing::MockNetworkManager::Security;

class NmWifiEndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const std::string why = bus_.Start(); !why.empty()) GTEST_SKIP() << why;
    mock_ = std::make_unique<orvane::testing::MockNetworkManager>(bus_.Folder());
    if (!mock_->Running()) GTEST_SKIP() << "needs python3-dbusmock";
    device_ = mock_->AddWifiDevice("wifi", "wlan0");
    mock_->AddAccessPoint(device_, "cafe", "Cafe", 2, 60, Security::Wpa);
  }

  std::unique_ptr<TWifiConnection> MakeWifi() {
    auto wifi = std::make_unique<TWifiConnection>(
        platform::linux_backend::NetworkManagerWirelessLibrary(), internet_, system_);
    wifi->OnConnected = [this](const std::u16string& ssid) { connected_.Add(ssid); };
    return wifi;
  }

  orvane::testing::PrivateBus bus_;
  std::unique_ptr<orvane::testing::MockNetworkManager> mock_;
  std::string device_;
  sim::SimCallLog log_;
  sim::SimInternet internet_{log_};
  sim::SimSystem system_{log_};
  test::Recorder<std::u16string> connected_;
};

TEST_F(NmWifiEndToEndTest, StartNetworkCreatesTheAccessPointAndDeleteNetworkRemovesIt) {
  auto wifi = MakeWifi();
  wifi->SetKey("k7Pq2mZx9aBc");
  wifi->RefreshNetworks();
  ASSERT_EQ(wifi->NetworkCount(), 1);
  ASSERT_TRUE(wifi->StartNetwork());
  auto own = mock_->OwnProfiles();
  ASSERT_EQ(own.size(), 1u);
  EXPECT_EQ(own[0]["802-11-wireless.mode"], "ap");
  EXPECT_EQ(own[0]["802-11-wireless.ssid"], TWifiConnection::kDefaultSSID);
  EXPECT_EQ(own[0]["802-11-wireless-security.key-mgmt"], "wpa-psk");
  EXPECT_EQ(own[0]["802-11-wireless-security.psk"], "k7Pq2mZx9aBc");

  EXPECT_TRUE(wifi->DeleteNetwork());
  EXPECT_TRUE(mock_->OwnProfiles().empty());
  EXPECT_EQ(mock_->ActiveConnection(device_), "/");
}

TEST_F(NmWifiEndToEndTest, AVisibleOwnNetworkIsJoinedInsteadOfCreated) {
  mock_->AddAccessPoint(device_, "nearby", "Velmora", 2, 40, Security::Wep);
  auto wifi = MakeWifi();
  wifi->SetKey("abcdefghijklm");
  wifi->RefreshNetworks();
  ASSERT_TRUE(wifi->StartNetwork());
  auto own = mock_->OwnProfiles();
  ASSERT_EQ(own.size(), 1u);
  EXPECT_EQ(own[0]["802-11-wireless.mode"], "infrastructure");
  EXPECT_EQ(own[0]["802-11-wireless-security.wep-key0"], "abcdefghijklm");
  EXPECT_EQ(own[0]["ipv4.method"], "auto");
  ASSERT_TRUE(connected_.WaitForCount(1));
  EXPECT_EQ(connected_.Values()[0], u"Velmora");
  EXPECT_EQ(wifi->ConnectedSSID(), "Velmora");
}

TEST_F(NmWifiEndToEndTest, ANearbyWpa2OwnNetworkIsJoinedWithWpaNotMadeASecondTime) {
  mock_->AddAccessPoint(device_, "nearby", "Velmora", 2, 40, Security::Wpa);
  auto wifi = MakeWifi();
  wifi->SetKey("k7Pq2mZx9aBc");
  wifi->RefreshNetworks();
  ASSERT_TRUE(wifi->StartNetwork());
  auto own = mock_->OwnProfiles();
  ASSERT_EQ(own.size(), 1u);
  EXPECT_EQ(own[0]["802-11-wireless.mode"], "infrastructure");
  EXPECT_EQ(own[0]["802-11-wireless-security.key-mgmt"], "wpa-psk");
  EXPECT_EQ(own[0]["802-11-wireless-security.psk"], "k7Pq2mZx9aBc");
}

}  // namespace
}  // namespace orvane
