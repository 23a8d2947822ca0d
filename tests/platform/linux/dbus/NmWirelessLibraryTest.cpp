// The NetworkManager wireless library against python3-dbusmock's NetworkManager on a private
// bus: what it lists, the profiles it hands over, and the notifications it sends.

#include <gtest/gtest.h>
#include <systemd/sd-bus.h>

#include <chrono>
#include <memory>
#include <vector>

#include "PrivateBus.h"
#include "platform/linux/InterfaceGuid.h"
#include "platform/linux/wireless/NmBus.h"
#include "platform/linux/wireless/NmWirelessLibrary.h"
#include "platform/linux/wireless/WirelessCodes.h"
#include "support/MockNetworkManager.h"
#include "wireless/WirelessTestSupport.h"
#include "wireless/WlanBuffers.h"

namespace orvane::platform::linux_backend {
namespace {

namespace codes = wireless_codes;
using Security = orvane::testing::MockNetworkManager::Security;

test::Recorder<orvane::wlan::Notification>* notifications = nullptr;

void ORVANE_WLAN_STDCALL Collect(const void* record, void*) {
  if (auto notification = orvane::wlan::ReadNotification(record)) notifications->Add(*notification);
}

std::u16string IdOf(const std::string& interfaceName) {
  const std::string text = GuidText(InterfaceGuid(interfaceName));
  return std::u16string(text.begin(), text.end());
}

class NmWirelessLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const std::string why = bus_.Start(); !why.empty()) GTEST_SKIP() << why;
    mock_ = std::make_unique<orvane::testing::MockNetworkManager>(bus_.Folder());
    if (!mock_->Running()) GTEST_SKIP() << "needs python3-dbusmock";
    notifications = &recorder_;
  }
  void TearDown() override {
    library_.UnRegisterNotification();
    notifications = nullptr;
  }

  std::vector<orvane::wlan::NetworkEntry> Networks(const std::u16string& id) {
    orvane::wlan::NetworkListBuffer list;
    EXPECT_EQ(library_.GetVisibleNetworkList(id.c_str(), list.bytes.data()), 0u);
    std::vector<orvane::wlan::NetworkEntry> entries;
    for (std::size_t i = 0; i < orvane::wlan::NetworkCount(list); ++i)
      entries.push_back(orvane::wlan::ReadNetworkEntry(list, i));
    return entries;
  }

  // The only profile carrying our marker.
  std::map<std::string, std::string> OwnProfile() {
    const auto own = mock_->OwnProfiles();
    EXPECT_EQ(own.size(), 1u);
    return own.empty() ? std::map<std::string, std::string>{} : own.front();
  }

  orvane::testing::PrivateBus bus_;
  std::unique_ptr<orvane::testing::MockNetworkManager> mock_;
  test::Recorder<orvane::wlan::Notification> recorder_;
  const WirelessLibrary& library_ = NetworkManagerWirelessLibrary();
};

TEST_F(NmWirelessLibraryTest, ListsWifiDevicesByTheirInterfaceGuids) {
  mock_->AddEthernetDevice("eth", "eth0");
  mock_->AddWifiDevice("wifi1", "wlan0");
  mock_->AddWifiDevice("wifi2", "wlp3s0");
  orvane::wlan::InterfaceListBuffer list;
  ASSERT_EQ(library_.EnumInterface(list.bytes.data()), 0u);
  ASSERT_EQ(orvane::wlan::InterfaceCount(list), 2u);
  EXPECT_EQ(orvane::wlan::InterfaceId(list, 0), IdOf("wlan0"));
  EXPECT_EQ(orvane::wlan::InterfaceId(list, 1), IdOf("wlp3s0"));
}

TEST_F(NmWirelessLibraryTest, NetworksOnePerNameAndModeStrongestFirst) {
  const std::string device = mock_->AddWifiDevice("wifi", "wlan0");
  mock_->AddAccessPoint(device, "cafe1", "Cafe", 2, 40, Security::Wpa);
  mock_->AddAccessPoint(device, "cafe2", "Cafe", 2, 70, Security::Wpa);
  const std::string own = mock_->AddAccessPoint(device, "own", "Velmora", 2, 55, Security::Wep);
  mock_->AddAccessPoint(device, "adhoc", "Velmora", 1, 30, Security::Wep);
  mock_->AddAccessPoint(device, "open", "Park", 2, 90, Security::Open);
  mock_->AddAccessPoint(device, "hidden", "", 2, 99, Security::Wpa);
  mock_->SetActiveAccessPoint(device, own);

  const auto networks = Networks(IdOf("wlan0"));
  ASSERT_EQ(networks.size(), 4u);
  EXPECT_EQ(networks[0].ssid, u"Park");
  EXPECT_EQ(networks[0].kind, 3);
  EXPECT_EQ(networks[1].ssid, u"Cafe");
  EXPECT_EQ(networks[1].kind, 2);
  EXPECT_EQ(networks[1].value2, 0x108u);  // what joining needs to pick the key management
  EXPECT_EQ(networks[2].ssid, u"Velmora");
  EXPECT_EQ(networks[2].kind, 1);
  EXPECT_EQ(networks[2].state, 0);
  EXPECT_EQ(networks[2].value1, 2u);
  EXPECT_EQ(networks[3].ssid, u"Velmora");
  EXPECT_EQ(networks[3].value1, 1u);  // the ad-hoc one is a network of its own
  EXPECT_EQ(networks[3].state, 1);
  EXPECT_EQ(networks[1].state, 1);
}

TEST_F(NmWirelessLibraryTest, AddSsidHandsOverAnAccessPointThatKeepsTheSharingAddress) {
  // The mock device is named after the loopback interface so that it has an address.
  const std::string device = mock_->AddWifiDevice("wifi", "lo");
  library_.RegisterNotification(&Collect);
  ASSERT_EQ(library_.AddSsid(IdOf("lo").c_str(), u"Velmora", u"73915"), 0u);

  auto profile = OwnProfile();
  EXPECT_EQ(profile["connection.type"], "802-11-wireless");
  EXPECT_EQ(profile["connection.interface-name"], "lo");
  EXPECT_EQ(profile["connection.autoconnect"], "false");
  EXPECT_EQ(profile["802-11-wireless.ssid"], "Velmora");
  EXPECT_EQ(profile["802-11-wireless.mode"], "ap");
  EXPECT_EQ(profile["802-11-wireless-security.key-mgmt"], "none");
  EXPECT_EQ(profile["802-11-wireless-security.wep-key-type"], "1");
  EXPECT_EQ(profile["802-11-wireless-security.wep-key0"], "73915");
  EXPECT_EQ(profile["ipv4.method"], "manual");
  EXPECT_EQ(profile["ipv4.address-data"], "[[address=127.0.0.1,prefix=8]]");
  EXPECT_EQ(profile["ipv6.method"], "disabled");
  EXPECT_EQ(profile["user.data"], "[org.orvane.profile=access-point]");
  EXPECT_NE(mock_->ActiveConnection(device), "/");

  ASSERT_TRUE(recorder_.WaitForCount(1));
  EXPECT_EQ(recorder_.Values()[0].code, platform::wlan::kCodeConnectionComplete);
  EXPECT_EQ(recorder_.Values()[0].ssid, "Velmora");
}

TEST_F(NmWirelessLibraryTest, AddSsidExMakesAWpa2OnlyAccessPoint) {
  mock_->AddWifiDevice("wifi", "wlan0");
  ASSERT_EQ(library_.AddSsidEx(IdOf("wlan0").c_str(), u"Velmora", u"k7Pq2mZx9aBc",
                               platform::wlan::kSecurityWpa2Psk),
            0u);
  auto profile = OwnProfile();
  EXPECT_EQ(profile["802-11-wireless.mode"], "ap");
  EXPECT_EQ(profile["802-11-wireless-security.key-mgmt"], "wpa-psk");
  EXPECT_EQ(profile["802-11-wireless-security.proto"], "[rsn]");
  EXPECT_EQ(profile["802-11-wireless-security.pairwise"], "[ccmp]");
  EXPECT_EQ(profile["802-11-wireless-security.group"], "[ccmp]");
  EXPECT_EQ(profile["802-11-wireless-security.psk"], "k7Pq2mZx9aBc");
  EXPECT_EQ(profile.count("802-11-wireless-security.wep-key0"), 0u);

  ASSERT_EQ(
      library_.AddSsidEx(IdOf("wlan0").c_str(), u"Velmora", u"73915", platform::wlan::kSecurityWep),
      0u);
  EXPECT_EQ(OwnProfile()["802-11-wireless-security.wep-key0"], "73915") << "and WEP when asked";
  EXPECT_EQ(library_.AddSsidEx(IdOf("wlan0").c_str(), u"Velmora", u"k7Pq2mZx9aBc", 7),
            codes::kInvalidParameter);
}

TEST_F(NmWirelessLibraryTest, AddSsidExRefusesWpa2OnADeviceWithoutRsnAndSaysSo) {
  const std::string device = mock_->AddWifiDevice("wifi", "wlan0");
  mock_->SetUint(device, "org.freedesktop.NetworkManager.Device.Wireless", "WirelessCapabilities",
                 0x40 | 0x03);  // an access point with WEP ciphers only
  EXPECT_EQ(library_.AddSsidEx(IdOf("wlan0").c_str(), u"Velmora", u"k7Pq2mZx9aBc",
                               platform::wlan::kSecurityWpa2Psk),
            platform::wlan::kErrorSecurityNotSupported);
  EXPECT_TRUE(mock_->Profiles().empty());
  EXPECT_EQ(
      library_.AddSsidEx(IdOf("wlan0").c_str(), u"Velmora", u"73915", platform::wlan::kSecurityWep),
      0u)
      << "WEP still works there";
}

TEST_F(NmWirelessLibraryTest, AddSsidRefusesADeviceThatCannotBeAnAccessPoint) {
  const std::string device = mock_->AddWifiDevice("wifi", "wlan0");
  mock_->SetUint(device, "org.freedesktop.NetworkManager.Device.Wireless", "WirelessCapabilities",
                 0x0F);  // ciphers only
  EXPECT_EQ(library_.AddSsid(IdOf("wlan0").c_str(), u"Velmora", u"73915"), codes::kNotSupported);
  EXPECT_TRUE(mock_->Profiles().empty());
  EXPECT_EQ(library_.AddSsid(u"{00000000-0000-0000-0000-000000000000}", u"Velmora", u"73915"),
            codes::kNotFound);
}

TEST_F(NmWirelessLibraryTest, DeleteSsidRemovesOnlyOurProfile) {
  const std::string device = mock_->AddWifiDevice("wifi", "wlan0");
  const std::string users = mock_->AddForeignProfile("Velmora", "wlan0");
  library_.RegisterNotification(&Collect);
  ASSERT_EQ(library_.AddSsid(IdOf("wlan0").c_str(), u"Velmora", u"73915"), 0u);
  ASSERT_EQ(mock_->Profiles().size(), 2u);
  // The notification thread reads the network's name when it handles the change: deleted
  // before that (a loaded machine), there would be nothing to name.
  ASSERT_TRUE(recorder_.WaitForCount(1));

  EXPECT_EQ(library_.DeleteSsid(IdOf("wlan0").c_str(), u"Velmora"), 0u);
  EXPECT_EQ(mock_->Profiles(), std::vector<std::string>{users});
  EXPECT_EQ(mock_->ActiveConnection(device), "/");
  EXPECT_EQ(library_.DeleteSsid(IdOf("wlan0").c_str(), u"Velmora"), codes::kNotFound);

  ASSERT_TRUE(recorder_.WaitForCount(2));
  EXPECT_EQ(recorder_.Values()[1].code, platform::wlan::kCodeDisconnected);
  EXPECT_EQ(recorder_.Values()[1].ssid, "Velmora");
}

TEST_F(NmWirelessLibraryTest, ConnectJoinsWithTheKeyAndDhcpAndDisconnectLeaves) {
  const std::string device = mock_->AddWifiDevice("wifi", "wlan0");
  library_.RegisterNotification(&Collect);
  ASSERT_EQ(library_.Connect(IdOf("wlan0").c_str(), u"Velmora", u"73915", 1, 2, 0), 0u);
  auto profile = OwnProfile();
  EXPECT_EQ(profile["802-11-wireless.mode"], "infrastructure");
  EXPECT_EQ(profile["802-11-wireless-security.wep-key0"], "73915");
  EXPECT_EQ(profile["ipv4.method"], "auto");
  EXPECT_EQ(profile["user.data"], "[org.orvane.profile=join]");
  ASSERT_TRUE(recorder_.WaitForCount(1));
  EXPECT_EQ(recorder_.Values()[0].ssid, "Velmora");

  EXPECT_EQ(library_.Disconnect(IdOf("wlan0").c_str()), 0u);
  EXPECT_EQ(mock_->CallCount(device, "Disconnect"), 1);
  ASSERT_TRUE(recorder_.WaitForCount(2));
  EXPECT_EQ(recorder_.Values()[1].code, platform::wlan::kCodeDisconnected);
  EXPECT_EQ(recorder_.Values()[1].ssid, "Velmora");

  // Joining again replaces our earlier profile; a WPA network gets its key as a PSK.
  ASSERT_EQ(library_.Connect(IdOf("wlan0").c_str(), u"Velmora", u"secret-words", 2, 2, 0x108), 0u);
  profile = OwnProfile();
  EXPECT_EQ(profile["802-11-wireless-security.key-mgmt"], "wpa-psk");
  EXPECT_EQ(profile["802-11-wireless-security.psk"], "secret-words");
  EXPECT_EQ(library_.Connect(IdOf("wlan0").c_str(), u"Velmora", u"73915", 0, 2, 0),
            codes::kInvalidParameter);
}

TEST_F(NmWirelessLibraryTest, WithoutAWifiDeviceEnumInterfaceSaysSo) {
  mock_->AddEthernetDevice("eth", "eth0");
  orvane::wlan::InterfaceListBuffer list;
  EXPECT_EQ(library_.EnumInterface(list.bytes.data()), codes::kDeviceNotConnected);
  EXPECT_EQ(orvane::wlan::InterfaceCount(list), 0u);
}

TEST(NmWirelessLibraryAbsentTest, WithoutNetworkManagerEnumInterfaceSaysSo) {
  const WirelessLibrary& library = NetworkManagerWirelessLibrary();
  orvane::wlan::InterfaceListBuffer list;
  {
    orvane::testing::PrivateBus bus;  // a bus, but nobody serves NetworkManager on it
    if (const std::string why = bus.Start(); !why.empty()) GTEST_SKIP() << why;
    EXPECT_EQ(library.EnumInterface(list.bytes.data()), codes::kServiceNotActive);
    library.RegisterNotification(&Collect);  // nothing to listen to, nothing breaks
    library.UnRegisterNotification();
  }
  setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/orvane-bus", 1);
  EXPECT_EQ(library.EnumInterface(list.bytes.data()), codes::kServiceNotActive);
  unsetenv("DBUS_SYSTEM_BUS_ADDRESS");
}

TEST(NmWirelessLibraryAbsentTest, ANetworkManagerThatNeverAnswersCostsOneTimeout) {
  orvane::testing::PrivateBus bus;
  if (const std::string why = bus.Start(); !why.empty()) GTEST_SKIP() << why;
  // Owns the name and never reads a request.
  sd_bus* silent = nullptr;
  ASSERT_GE(sd_bus_open_system(&silent), 0);
  ASSERT_GE(sd_bus_request_name(silent, kNmService, 0), 0);
  const WirelessLibrary& library = NetworkManagerWirelessLibrary();
  orvane::wlan::InterfaceListBuffer list;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(library.EnumInterface(list.bytes.data()), codes::kTimeout);
  // A hang bound, not a speed figure: one timeout and the slack of a loaded machine.
  EXPECT_LT(std::chrono::steady_clock::now() - start, kNmCallTimeout + std::chrono::seconds(5));
  sd_bus_flush_close_unref(silent);
}

}  // namespace
}  // namespace orvane::platform::linux_backend
