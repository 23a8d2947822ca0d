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

// The <hex> element of an SSID given by its bytes (it wins over the name); empty for none.
std::u16string HexOf(const std::string& bytes) {
  if (bytes.empty()) return {};
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  std::u16string hex = u"<hex>";
  for (const char byte : bytes) {
    const auto value = static_cast<unsigned char>(byte);
    hex += kDigits[value >> 4];
    hex += kDigits[value & 0x0F];
  }
  return hex + u"</hex>";
}

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

bool IsUtf8(const std::string& bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t extra = 0;
    uint32_t value = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1;
      value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2;
      value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3;
      value = lead & 0x07;
    } else {
      return false;
    }
    if (i + extra >= bytes.size()) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      value = (value << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past Unicode are no UTF-8.
    static constexpr uint32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (value < kLeast[extra] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
      return false;
    i += extra + 1;
  }
  return true;
}

std::size_t Utf8Length(const std::u16string& text) {
  std::size_t length = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c < 0x80) {
      length += 1;
    } else if (c < 0x800) {
      length += 2;
    } else if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return SIZE_MAX;
      length += 4;
      ++i;
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      return SIZE_MAX;
    } else {
      length += 3;
    }
  }
  return length;
}

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
                          uint32_t authAlgorithm, uint32_t cipherAlgorithm,
                          const std::string& rawSsid) {
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
      u"<SSIDConfig><SSID>" +
      HexOf(rawSsid) + u"<name>" + name +
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
