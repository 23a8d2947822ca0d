#include "platform/windows/wireless/WlanProfile.h"

namespace orvane::wireless_dll {
namespace {

// DOT11_BSS_TYPE, DOT11_AUTH_ALGORITHM and DOT11_CIPHER_ALGORITHM numbers.
constexpr uint32_t kBssInfrastructure = 1;
constexpr uint32_t kBssIndependent = 2;
constexpr uint32_t kAuthOpen = 1;
constexpr uint32_t kAuthSharedKey = 2;
constexpr uint32_t kAuthWpaPsk = 4;
constexpr uint32_t kAuthWpa3Sae = 9;
constexpr uint32_t kCipherNone = 0;
constexpr uint32_t kCipherWep40 = 1;
constexpr uint32_t kCipherTkip = 2;
constexpr uint32_t kCipherWep104 = 5;
constexpr uint32_t kCipherWep = 0x101;

struct Security {
  const char16_t* authentication;
  const char16_t* encryption;
  const char16_t* keyType;  // null: no key
};

bool IsWep(uint32_t cipher) {
  return cipher == kCipherWep40 || cipher == kCipherWep104 || cipher == kCipherWep;
}

// The profile's names for a network's security; false when there are none.
bool SecurityOf(uint32_t auth, uint32_t cipher, Security& security) {
  if (auth == kAuthOpen && cipher == kCipherNone)
    security = {u"open", u"none", nullptr};
  else if (auth == kAuthOpen && IsWep(cipher))
    security = {u"open", u"WEP", u"networkKey"};
  else if (auth == kAuthSharedKey && IsWep(cipher))
    security = {u"shared", u"WEP", u"networkKey"};
  else if (auth == kAuthWpaPsk && cipher == kCipherTkip)
    security = {u"WPAPSK", u"TKIP", u"passPhrase"};
  else if (auth == kAuthWpaPsk && cipher == kCipherCcmp)
    security = {u"WPAPSK", u"AES", u"passPhrase"};
  else if (auth == kAuthRsnaPsk && cipher == kCipherTkip)
    security = {u"WPA2PSK", u"TKIP", u"passPhrase"};
  else if (auth == kAuthRsnaPsk && cipher == kCipherCcmp)
    security = {u"WPA2PSK", u"AES", u"passPhrase"};
  else if (auth == kAuthWpa3Sae && cipher == kCipherCcmp)
    security = {u"WPA3SAE", u"AES", u"passPhrase"};
  else
    return false;
  return true;
}

}  // namespace

uint32_t KindOfBssType(uint32_t bssType) {
  if (bssType == kBssIndependent) return kKindAdHoc;
  if (bssType == kBssInfrastructure) return kKindInfrastructure;
  return kKindOther;
}

std::u16string EscapeXml(const std::u16string& text) {
  std::u16string escaped;
  for (const char16_t c : text) {
    switch (c) {
      case u'&':
        escaped += u"&amp;";
        break;
      case u'<':
        escaped += u"&lt;";
        break;
      case u'>':
        escaped += u"&gt;";
        break;
      case u'"':
        escaped += u"&quot;";
        break;
      case u'\'':
        escaped += u"&apos;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::u16string ProfileXml(const std::u16string& ssid, const std::u16string& key, uint32_t kind,
                          uint32_t authAlgorithm, uint32_t cipherAlgorithm) {
  Security security{};
  // An ad-hoc network can only be WPA2-PSK with AES or WEP.
  if (kind == kKindAdHoc && authAlgorithm == kAuthRsnaPsk && cipherAlgorithm == kCipherCcmp)
    security = {u"WPA2PSK", u"AES", u"passPhrase"};
  else if (kind == kKindAdHoc)
    security = {u"open", u"WEP", u"networkKey"};
  else if (!SecurityOf(authAlgorithm, cipherAlgorithm, security))
    return {};
  const std::u16string name = EscapeXml(ssid);
  std::u16string xml =
      u"<?xml version=\"1.0\"?>\r\n"
      u"<WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\">\r\n"
      u"<name>" +
      name +
      u"</name>\r\n"
      u"<SSIDConfig><SSID><name>" +
      name +
      u"</name></SSID></SSIDConfig>\r\n"
      u"<connectionType>" +
      std::u16string(kind == kKindAdHoc ? u"IBSS" : u"ESS") +
      u"</connectionType>\r\n"
      u"<connectionMode>manual</connectionMode>\r\n"
      u"<MSM><security><authEncryption>"
      u"<authentication>" +
      std::u16string(security.authentication) +
      u"</authentication>"
      u"<encryption>" +
      std::u16string(security.encryption) +
      u"</encryption>"
      u"<useOneX>false</useOneX></authEncryption>";
  if (security.keyType != nullptr)
    xml += u"<sharedKey><keyType>" + std::u16string(security.keyType) +
           u"</keyType><protected>false</protected><keyMaterial>" + EscapeXml(key) +
           u"</keyMaterial></sharedKey>";
  xml += u"</security></MSM>\r\n</WLANProfile>\r\n";
  return xml;
}

}  // namespace orvane::wireless_dll
