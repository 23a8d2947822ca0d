#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// How the own network protects itself: WPA2-Personal, or WEP for devices that know nothing
// newer.
enum class NetworkSecurity { Wpa2, Wep };

// The setting's text: "WPA2" or "WEP".
const char* SecurityName(NetworkSecurity security);
// The setting's text read back, in any case; nothing for any other text.
std::optional<NetworkSecurity> ParseSecurity(std::string_view text);

// What is wrong with a key for a security kind. A WEP key is 5 or 13 characters of any kind;
// a WPA2 passphrase is 8 to 63 printable ASCII characters (blanks included).
enum class KeyProblem { None, WepLength, Wpa2Length, Wpa2Characters };
KeyProblem CheckNetworkKey(NetworkSecurity security, std::string_view key);

// A WEP key of a length the old network understood: 5 or 13 characters.
bool IsWepKeyLength(std::size_t length);

// A fresh WPA2 key from the system's random source: 12 letters and digits, without the ones
// that are easily mistaken for another when read off a screen (0 O o 1 I l).
inline constexpr std::size_t kNewKeyLength = 12;
inline constexpr std::string_view kNewKeyAlphabet =
    "ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnpqrstuvwxyz23456789";
std::string NewNetworkKey();

}  // namespace orvane
