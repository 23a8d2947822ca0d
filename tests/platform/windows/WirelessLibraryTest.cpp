// wireless.dll over the real Native Wifi service, loaded the way the program loads it.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/windows/Win32.h"
#include "platform/windows/WinInternetProbe.h"
#include "platform/windows/WinSystemInfo.h"
#include "platform/windows/WirelessLibraryLoader.h"
#include "platform/windows/wireless/WlanProfile.h"
#include "wireless/WifiNetwork.h"

namespace orvane::platform::windows_backend {
namespace {

// The test builds a Unix path to the library; the program gets a Windows one.
std::string LibraryPath() {
  std::string path = ORVANE_TEST_WIRELESS_DLL;
  return path.front() == '/' ? "Z:" + path : path;
}

uint32_t Count(const std::vector<uint8_t>& buffer) {
  uint32_t count = 0;
  std::memcpy(&count, buffer.data(), sizeof(count));
  return count;
}

// Which of the library's functions the component calls; forwards each to the real library.
struct CallCounts {
  const WirelessLibrary* real = nullptr;
  int enumInterface = 0, networkList = 0, addSsid = 0, others = 0;
};
CallCounts g_calls;

constexpr WirelessLibrary kCounting = {
    [](void* list) {
      ++g_calls.enumInterface;
      return g_calls.real->EnumInterface(list);
    },
    [](const char16_t* id, void* list) {
      ++g_calls.networkList;
      return g_calls.real->GetVisibleNetworkList(id, list);
    },
    [](const char16_t* id, const char16_t* ssid, const char16_t* key) {
      ++g_calls.addSsid;
      return g_calls.real->AddSsid(id, ssid, key);
    },
    [](const char16_t* id, const char16_t* ssid) {
      ++g_calls.others;
      return g_calls.real->DeleteSsid(id, ssid);
    },
    [](const char16_t* id, const char16_t* ssid, const char16_t* key, uint32_t kind, uint32_t v1,
       uint32_t v2) {
      ++g_calls.others;
      return g_calls.real->Connect(id, ssid, key, kind, v1, v2);
    },
    [](const char16_t* id) {
      ++g_calls.others;
      return g_calls.real->Disconnect(id);
    },
    [](OrvaneWlanCallback callback) { g_calls.real->RegisterNotification(callback); },
    [] { g_calls.real->UnRegisterNotification(); },
    [](const char16_t* id, const char16_t* ssid, const char16_t* key, uint32_t security) {
      ++g_calls.addSsid;
      return g_calls.real->AddSsidEx(id, ssid, key, security);
    }};

TEST(WirelessDll, OpensNativeWifiAndListsNoInterfaceHere) {
  WirelessLibraryLoader library(LibraryPath());
  ASSERT_EQ(library.Problem(), "");
  std::vector<uint8_t> list(wlan::kInterfaceListSize, 0xAB);
  ASSERT_EQ(library.Table().EnumInterface(list.data()), 0u) << "the handle opened and listed";
  EXPECT_EQ(Count(list), 0u);
  EXPECT_EQ(list[wlan::kInterfaceEntriesOffset], 0) << "the buffer is zero-filled";
  // Calls on an interface that is not there fail instead of touching anything.
  std::vector<uint8_t> networks(wlan::kNetworkListSize, 0xAB);
  EXPECT_NE(library.Table().GetVisibleNetworkList(u"not a guid", networks.data()), 0u);
  EXPECT_EQ(networks, std::vector<uint8_t>(wlan::kNetworkListSize, 0xAB));
  EXPECT_NE(library.Table().AddSsid(nullptr, u"net", u"12345"), 0u);
}

TEST(WirelessDll, WithoutAnInterfaceTheComponentCallsOnlyWhatTheSystemHas) {
  WirelessLibraryLoader library(LibraryPath());
  ASSERT_EQ(library.Problem(), "");
  g_calls = {&library.Table()};
  WinInternetProbe probe;
  WinSystemInfo system;
  {
    TWifiConnection connection(kCounting, probe, system);
    connection.RefreshNetworks();
    EXPECT_EQ(connection.NetworkCount(), 0);
    connection.SetSSID("Orvane");
    connection.SetKey("12345");
    EXPECT_FALSE(connection.StartNetwork()) << "no interface to create the network on";
  }
  EXPECT_GE(g_calls.enumInterface, 1);
  EXPECT_EQ(g_calls.networkList, 0);
  EXPECT_EQ(g_calls.addSsid, 0);
  EXPECT_EQ(g_calls.others, 0);
}

TEST(WirelessDll, AMissingOrForeignLibraryLeavesAProgramWithoutWireless) {
  WirelessLibraryLoader missing("C:\\no such folder\\wireless.dll");
  EXPECT_NE(missing.Problem().find("could not be loaded"), std::string::npos);
  std::vector<uint8_t> list(wlan::kInterfaceListSize, 0xAB);
  EXPECT_NE(missing.Table().EnumInterface(list.data()), 0u);
  EXPECT_EQ(Count(list), 0u);

  // A real library without the functions.
  char folder[MAX_PATH] = {};
  ASSERT_NE(GetSystemDirectoryA(folder, MAX_PATH), 0u);
  WirelessLibraryLoader foreign(std::string(folder) + "\\version.dll");
  EXPECT_NE(foreign.Problem().find("\"EnumInterface\""), std::string::npos) << foreign.Problem();
  EXPECT_NE(foreign.Table().EnumInterface(list.data()), 0u);
}

TEST(WlanProfile, KindsComeFromTheBssType) {
  using namespace wireless_dll;
  EXPECT_EQ(KindOfBssType(2), kKindAdHoc);
  EXPECT_EQ(KindOfBssType(1), kKindInfrastructure);
  EXPECT_EQ(KindOfBssType(3), kKindOther);
}

TEST(WlanProfile, TheOwnNetworkIsAdHocWithWpa2OrWepAndTextsAreEscaped) {
  using namespace wireless_dll;
  const std::u16string own = ProfileXml(u"Orvane", u"k7Pq2mZx9aBc", kKindAdHoc, 7, 4);
  EXPECT_NE(own.find(u"<connectionType>IBSS</connectionType>"), std::u16string::npos);
  EXPECT_NE(own.find(u"<authentication>WPA2PSK</authentication><encryption>AES</encryption>"),
            std::u16string::npos);
  EXPECT_NE(own.find(u"<keyType>passPhrase</keyType>"), std::u16string::npos);
  EXPECT_NE(ProfileXml(u"Home", u"secret12", kKindInfrastructure, 9, 4)
                .find(u"<authentication>WPA3SAE</authentication><encryption>AES</encryption>"),
            std::u16string::npos)
      << "a WPA3 network is joined as it announces";

  // What an older version made, or any other pair an ad-hoc network reports: WEP.
  const std::u16string xml = ProfileXml(u"Caf\u00e9 <&> net", u"12\"45", kKindAdHoc, 1, 0x101);
  EXPECT_NE(xml.find(u"<name>Caf\u00e9 &lt;&amp;&gt; net</name>"), std::u16string::npos);
  EXPECT_NE(xml.find(u"<connectionType>IBSS</connectionType>"), std::u16string::npos);
  EXPECT_NE(xml.find(u"<authentication>open</authentication><encryption>WEP</encryption>"),
            std::u16string::npos);
  EXPECT_NE(xml.find(u"<keyMaterial>12&quot;45</keyMaterial>"), std::u16string::npos);

  const std::u16string wpa2 = ProfileXml(u"Home", u"secret12", kKindInfrastructure, 7, 4);
  EXPECT_NE(wpa2.find(u"<connectionType>ESS</connectionType>"), std::u16string::npos);
  EXPECT_NE(wpa2.find(u"<authentication>WPA2PSK</authentication><encryption>AES</encryption>"),
            std::u16string::npos);
  const std::u16string open = ProfileXml(u"Cafe", u"", kKindInfrastructure, 1, 0);
  EXPECT_EQ(open.find(u"keyMaterial"), std::u16string::npos) << "an open network has no key";
  EXPECT_EQ(ProfileXml(u"Corp", u"", kKindInfrastructure, 3, 4), u"") << "802.1X: not supported";
}

TEST(WlanProfile, ANameThatIsNotUtf8IsJoinedByItsBytes) {
  using namespace wireless_dll;
  // "Café" in Latin-1: shown through the code page, sent back by its own bytes.
  const std::u16string xml =
      ProfileXml(u"Caf\u00e9", u"secret12", kKindInfrastructure, 7, 4, std::string("Caf\xE9"));
  EXPECT_NE(xml.find(u"<SSID><hex>436166E9</hex><name>Caf\u00e9</name></SSID>"),
            std::u16string::npos);
  EXPECT_EQ(ProfileXml(u"Cafe", u"", kKindInfrastructure, 1, 0).find(u"<hex>"),
            std::u16string::npos);

  struct Case {
    std::string bytes;
    bool utf8;
  };
  const Case cases[] = {{"", true},
                        {"plain", true},
                        {"Caf\xC3\xA9", true},
                        {"\xF0\x9F\x93\xB6", true},
                        {"Caf\xE9", false},
                        {"\xC3", false},
                        {"\xC0\xAF", false},           // overlong
                        {"\xED\xA0\x80", false},       // a surrogate
                        {"\xF4\x90\x80\x80", false}};  // past Unicode
  for (const Case& c : cases) EXPECT_EQ(IsUtf8(c.bytes), c.utf8) << c.bytes;

  EXPECT_EQ(Utf8Length(u"Orvane"), 6u);
  EXPECT_EQ(Utf8Length(u"\u00fc\u20ac\U0001F4F6"), 2u + 3u + 4u);
  EXPECT_EQ(Utf8Length(std::u16string(1, u'\xD800')), SIZE_MAX);
}

TEST(WirelessDll, TheOwnNetworksNameIsBoundAtThirtyTwoBytes) {
  WirelessLibraryLoader library(LibraryPath());
  ASSERT_EQ(library.Problem(), "");
  const char16_t* id = u"{5D3A1B2C-0000-4000-8000-00000000000A}";
  // 17 letters of two bytes: refused before any profile is made.
  const std::u16string name(17, u'\u00fc');
  EXPECT_EQ(library.Table().AddSsidEx(id, name.c_str(), u"k7Pq2mZx9aBc", wlan::kSecurityWep),
            static_cast<uint32_t>(ERROR_INVALID_PARAMETER));
  char16_t reason[8] = {u'x'};
  EXPECT_EQ(library.Table().LastReason(reason, 8), 0u);
  EXPECT_EQ(reason[0], u'\0') << "a refusal before any attempt leaves no reason";
}

}  // namespace
}  // namespace orvane::platform::windows_backend
