#pragma once

#include <systemd/sd-bus.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvane::platform::linux_backend {

// The user-data key that marks the profiles this program made, so it deletes its own and
// never a profile of the same name the user keeps.
inline constexpr const char* kOwnProfileKey = "org.orvane.profile";

// WpaPsk joins whatever WPA the network offers; Wpa2Psk is RSN with CCMP only, what the own
// access point uses.
enum class WifiSecurity { Open, Wep, WpaPsk, Wpa2Psk, Sae };

struct Ipv4Setting {
  std::array<uint8_t, 4> address{};
  uint8_t prefixLength = 24;
};

// One Wi-Fi profile as NetworkManager's settings describe it.
struct WifiProfile {
  std::string uuid;
  std::string role;  // the marker's value: "access-point" or "join"
  std::string interfaceName;
  std::vector<uint8_t> ssid;
  std::string mode;  // "ap", "infrastructure" or "adhoc"
  WifiSecurity security = WifiSecurity::Open;
  std::string key;
  std::string user;                 // visible to this user only; empty for everyone
  std::optional<Ipv4Setting> ipv4;  // kept as it is; none: DHCP when joining
  bool ipv6 = true;
  // An access point beside a station on the same radio must use the station's channel;
  // 0: NetworkManager picks one.
  std::string band;  // "bg" or "a"
  uint32_t channel = 0;
};

// The band and channel number of a frequency NetworkManager can put an access point on;
// channel 0 for any other.
struct BandChannel {
  std::string band;
  uint32_t channel = 0;
};
BandChannel BandChannelOf(uint32_t frequencyMHz);

// What the library reads back from a stored profile.
struct ProfileFacts {
  bool own = false;  // carries our marker
  std::string interfaceName;
  std::vector<uint8_t> ssid;
  std::string mode;
};

// The own network: an access point (phones do not join ad-hoc networks) with WPA2-PSK (RSN,
// CCMP) or the WEP key, IPv6 off and the address the sharing put on the interface kept.
// Answers 0 or the code of the argument it cannot use.
uint32_t AccessPointProfile(const std::string& interfaceName, const std::u16string& ssid,
                            const std::u16string& key, WifiSecurity security,
                            const std::string& user, const std::optional<Ipv4Setting>& address,
                            WifiProfile& profile);

// Joining a visible network: kind and handed-back values as the network list gave them
// (value1 the 802.11 mode, value2 the WPA and RSN flags), IPv4 by DHCP.
uint32_t JoinProfile(const std::string& interfaceName, const std::u16string& ssid,
                     const std::u16string& key, uint32_t kind, uint32_t value1, uint32_t value2,
                     const std::string& user, WifiProfile& profile);

// Appends the profile as "a{sa{sv}}".
int AppendProfile(sd_bus_message* message, const WifiProfile& profile);

// Reads the facts from a GetSettings reply positioned at its "a{sa{sv}}". Throws NmFailure
// on a malformed reply.
ProfileFacts ReadProfileFacts(sd_bus_message* message);

}  // namespace orvane::platform::linux_backend
