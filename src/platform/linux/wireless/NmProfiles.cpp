#include "platform/linux/wireless/NmProfiles.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <random>

#include "platform/Utf16.h"
#include "platform/linux/Netlink.h"
#include "platform/linux/wireless/NmBus.h"
#include "platform/linux/wireless/WirelessCodes.h"

namespace orvane::platform::linux_backend {
namespace {

namespace codes = wireless_codes;

constexpr std::size_t kMaxSsidBytes = 32;
// NetworkManager's 802.11 modes and key-management flags of an access point.
constexpr uint32_t kModeAdhoc = 1;
constexpr uint32_t kKeyMgmtPsk = 0x100;
constexpr uint32_t kKeyMgmtSae = 0x400;

std::string NewUuid() {
  std::random_device random;
  std::array<uint8_t, 16> bytes{};
  for (auto& byte : bytes) byte = static_cast<uint8_t>(random());
  bytes[6] = static_cast<uint8_t>((bytes[6] & 0x0F) | 0x40);
  bytes[8] = static_cast<uint8_t>((bytes[8] & 0x3F) | 0x80);
  char text[37];
  std::snprintf(text, sizeof text,
                "%02x%02x%02x%02x-%02x%02x-%02x%02x-%02x%02x-%02x%02x%02x%02x%02x%02x", bytes[0],
                bytes[1], bytes[2], bytes[3], bytes[4], bytes[5], bytes[6], bytes[7], bytes[8],
                bytes[9], bytes[10], bytes[11], bytes[12], bytes[13], bytes[14], bytes[15]);
  return text;
}

bool AllOf(const std::string& text, int (*test)(int)) {
  return std::all_of(text.begin(), text.end(),
                     [test](char c) { return test(static_cast<unsigned char>(c)) != 0; });
}

// A WEP key NetworkManager takes as a key: 5 or 13 characters, or 10 or 26 hex digits.
bool ValidWepKey(const std::string& key) {
  if (key.size() == 5 || key.size() == 13) return AllOf(key, isprint);
  if (key.size() == 10 || key.size() == 26) return AllOf(key, isxdigit);
  return false;
}

bool ValidPsk(const std::string& key) {
  if (key.size() == 64) return AllOf(key, isxdigit);
  return key.size() >= 8 && key.size() <= 63 && AllOf(key, isprint);
}

uint32_t CommonProfile(const std::string& interfaceName, const std::u16string& ssid,
                       const std::u16string& key, const std::string& user, WifiProfile& profile) {
  const std::string name = Utf16ToUtf8(ssid);
  if (name.empty() || name.size() > kMaxSsidBytes || interfaceName.empty())
    return codes::kInvalidParameter;
  profile = WifiProfile{};
  profile.uuid = NewUuid();
  profile.interfaceName = interfaceName;
  profile.ssid.assign(name.begin(), name.end());
  profile.key = Utf16ToUtf8(key);
  profile.user = user;
  return 0;
}

// Builds "a{sa{sv}}" keeping the first failure, so callers check once at the end.
class SettingsWriter {
 public:
  explicit SettingsWriter(sd_bus_message* message) : m_(message) {}
  int Result() const { return result_; }

  void Open(const char* setting) {
    Do(sd_bus_message_open_container(m_, 'e', "sa{sv}"));
    Do(sd_bus_message_append(m_, "s", setting));
    Do(sd_bus_message_open_container(m_, 'a', "{sv}"));
  }
  void Close() {
    Do(sd_bus_message_close_container(m_));
    Do(sd_bus_message_close_container(m_));
  }
  void Text(const char* key, const std::string& value) {
    Do(sd_bus_message_append(m_, "{sv}", key, "s", value.c_str()));
  }
  void Bool(const char* key, bool value) {
    Do(sd_bus_message_append(m_, "{sv}", key, "b", static_cast<int>(value)));
  }
  void Uint(const char* key, uint32_t value) {
    Do(sd_bus_message_append(m_, "{sv}", key, "u", value));
  }
  void Bytes(const char* key, const std::vector<uint8_t>& value) {
    Entry(key, "ay", [&] { Do(sd_bus_message_append_array(m_, 'y', value.data(), value.size())); });
  }
  void Texts(const char* key, const std::vector<std::string>& values) {
    Entry(key, "as", [&] {
      Do(sd_bus_message_open_container(m_, 'a', "s"));
      for (const auto& value : values) Do(sd_bus_message_append(m_, "s", value.c_str()));
      Do(sd_bus_message_close_container(m_));
    });
  }
  void Dictionary(const char* key, const std::string& name, const std::string& value) {
    Entry(key, "a{ss}",
          [&] { Do(sd_bus_message_append(m_, "a{ss}", 1, name.c_str(), value.c_str())); });
  }
  void Address(const char* key, const Ipv4Setting& address) {
    const std::string text = Ipv4Text(address.address);
    Entry(key, "aa{sv}", [&] {
      Do(sd_bus_message_append(m_, "aa{sv}", 1, 2, "address", "s", text.c_str(), "prefix", "u",
                               static_cast<uint32_t>(address.prefixLength)));
    });
  }

 private:
  void Do(int result) {
    if (result < 0 && result_ >= 0) result_ = result;
  }
  template <typename F>
  void Entry(const char* key, const char* type, F write) {
    Do(sd_bus_message_open_container(m_, 'e', "sv"));
    Do(sd_bus_message_append(m_, "s", key));
    Do(sd_bus_message_open_container(m_, 'v', type));
    write();
    Do(sd_bus_message_close_container(m_));
    Do(sd_bus_message_close_container(m_));
  }

  sd_bus_message* m_;
  int result_ = 0;
};

void WriteSecurity(SettingsWriter& writer, const WifiProfile& profile) {
  if (profile.security == WifiSecurity::Open) return;
  writer.Open("802-11-wireless-security");
  if (profile.security == WifiSecurity::Wep) {
    writer.Text("key-mgmt", "none");
    writer.Text("auth-alg", "open");
    writer.Uint("wep-key-type", 1);  // a key, not a passphrase to hash
    writer.Uint("wep-tx-keyidx", 0);
    writer.Text("wep-key0", profile.key);
  } else {
    writer.Text("key-mgmt", profile.security == WifiSecurity::Sae ? "sae" : "wpa-psk");
    if (profile.security == WifiSecurity::Wpa2Psk) {
      // No WPA1 or TKIP fallback, which would weaken every station's traffic.
      writer.Texts("proto", {"rsn"});
      writer.Texts("pairwise", {"ccmp"});
      writer.Texts("group", {"ccmp"});
    }
    writer.Text("psk", profile.key);
  }
  writer.Close();
}

}  // namespace

BandChannel BandChannelOf(uint32_t frequencyMHz) {
  if (frequencyMHz == 2484) return {"bg", 14};
  if (frequencyMHz >= 2412 && frequencyMHz <= 2472 && (frequencyMHz - 2407) % 5 == 0)
    return {"bg", (frequencyMHz - 2407) / 5};
  if (frequencyMHz >= 5160 && frequencyMHz <= 5885 && frequencyMHz % 5 == 0)
    return {"a", (frequencyMHz - 5000) / 5};
  return {};
}

uint32_t AccessPointProfile(const std::string& interfaceName, const std::u16string& ssid,
                            const std::u16string& key, WifiSecurity security,
                            const std::string& user, const std::optional<Ipv4Setting>& address,
                            WifiProfile& profile) {
  if (const uint32_t code = CommonProfile(interfaceName, ssid, key, user, profile)) return code;
  if (security == WifiSecurity::Wep) {
    if (!ValidWepKey(profile.key)) return codes::kInvalidParameter;
  } else if (security == WifiSecurity::Wpa2Psk) {
    if (!ValidPsk(profile.key)) return codes::kInvalidParameter;
  } else {
    return codes::kInvalidParameter;  // the own network is never open
  }
  profile.role = "access-point";
  profile.mode = "ap";
  profile.security = security;
  profile.ipv4 = address;
  profile.ipv6 = false;
  return 0;
}

uint32_t JoinProfile(const std::string& interfaceName, const std::u16string& ssid,
                     const std::u16string& key, uint32_t kind, uint32_t value1, uint32_t value2,
                     const std::string& user, WifiProfile& profile) {
  if (const uint32_t code = CommonProfile(interfaceName, ssid, key, user, profile)) return code;
  profile.role = "join";
  profile.mode = value1 == kModeAdhoc ? "adhoc" : "infrastructure";
  switch (kind) {
    case 1:
      if (!ValidWepKey(profile.key)) return codes::kInvalidParameter;
      profile.security = WifiSecurity::Wep;
      break;
    case 2:
      if (!ValidPsk(profile.key)) return codes::kInvalidParameter;
      if ((value2 & kKeyMgmtPsk) != 0) {
        profile.security = WifiSecurity::WpaPsk;
      } else if ((value2 & kKeyMgmtSae) != 0) {
        profile.security = WifiSecurity::Sae;
      } else {
        return codes::kNotSupported;  // enterprise networks need more than a key
      }
      break;
    case 3:
      profile.security = WifiSecurity::Open;
      profile.key.clear();
      break;
    default:
      return codes::kInvalidParameter;
  }
  return 0;
}

int AppendProfile(sd_bus_message* message, const WifiProfile& profile) {
  SettingsWriter writer(message);
  if (int result = sd_bus_message_open_container(message, 'a', "{sa{sv}}"); result < 0)
    return result;
  writer.Open("connection");
  writer.Text("id", std::string(profile.ssid.begin(), profile.ssid.end()));
  writer.Text("uuid", profile.uuid);
  writer.Text("type", "802-11-wireless");
  writer.Text("interface-name", profile.interfaceName);
  writer.Bool("autoconnect", false);
  if (!profile.user.empty()) writer.Texts("permissions", {"user:" + profile.user + ":"});
  writer.Close();

  writer.Open("802-11-wireless");
  writer.Bytes("ssid", profile.ssid);
  writer.Text("mode", profile.mode);
  if (profile.channel != 0) {
    writer.Text("band", profile.band);
    writer.Uint("channel", profile.channel);
  }
  writer.Close();
  WriteSecurity(writer, profile);

  writer.Open("ipv4");
  if (profile.ipv4) {
    writer.Text("method", "manual");
    writer.Address("address-data", *profile.ipv4);
  } else {
    writer.Text("method", profile.mode == "ap" ? "disabled" : "auto");
  }
  writer.Close();
  writer.Open("ipv6");
  writer.Text("method", profile.ipv6 ? "auto" : "disabled");
  writer.Close();

  writer.Open("user");
  writer.Dictionary("data", kOwnProfileKey, profile.role);
  writer.Close();
  if (writer.Result() < 0) return writer.Result();
  return sd_bus_message_close_container(message);
}

ProfileFacts ReadProfileFacts(sd_bus_message* message) {
  ProfileFacts facts;
  ForEachEntry(message, "sa{sv}", [&](const std::string& setting) {
    ForEachEntry(message, "sv", [&](const std::string& key) {
      const char* text = nullptr;
      if (setting == "connection" && key == "interface-name") {
        if (ReadVariant(message, 's', &text) && text != nullptr) facts.interfaceName = text;
      } else if (setting == "802-11-wireless" && key == "ssid") {
        facts.ssid = ReadVariantBytes(message);
      } else if (setting == "802-11-wireless" && key == "mode") {
        if (ReadVariant(message, 's', &text) && text != nullptr) facts.mode = text;
      } else if (setting == "user" && key == "data" &&
                 sd_bus_message_verify_type(message, 'v', "a{ss}") > 0) {
        Check(sd_bus_message_enter_container(message, 'v', "a{ss}"));
        ForEachEntry(message, "ss", [&](const std::string& name) {
          const char* value = nullptr;
          Check(sd_bus_message_read(message, "s", &value));
          if (name == kOwnProfileKey) facts.own = true;
        });
        Check(sd_bus_message_exit_container(message));
      } else {
        Check(sd_bus_message_skip(message, "v"));
      }
    });
  });
  return facts;
}

}  // namespace orvane::platform::linux_backend
