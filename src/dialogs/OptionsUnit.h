#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/NetworkSecurity.h"
#include "platform/AutoRunStore.h"

namespace orvane {

// The settings the Options dialog edits.
struct OptionsValues {
  bool AutoRun = false;
  bool StartMinimized = false;
  bool CheckForUpdates = false;
  std::string SSID;
  std::string Password;
  NetworkSecurity Security = NetworkSecurity::Wpa2;
  bool GuestsReachLocalNetwork = false;  // network page
  friend bool operator==(const OptionsValues&, const OptionsValues&) = default;
};

inline constexpr const char* kNoNetworkName = "Please input network name!";
// A Wi-Fi network's name is at most 32 bytes; letters beyond plain ASCII take two to four.
inline constexpr std::size_t kMaxNetworkNameBytes = 32;
inline constexpr const char* kNetworkNameTooLong =
    "The network name is too long: Wi-Fi allows 32 bytes, and letters other than plain A to Z, "
    "digits and punctuation take two to four bytes each. Please shorten it.";
inline constexpr const char* kBadKeyLength = "Password MUST be 5 or 13 digits or letters.";
inline constexpr const char* kBadWpa2KeyLength = "A WPA2 key must be 8 to 63 characters long.";
inline constexpr const char* kBadWpa2KeyCharacters =
    "A WPA2 key may contain only plain ASCII letters, digits, blanks and punctuation.";
// The choice of security, and the rule shown under the key for each.
inline constexpr const char* kSecurityWpa2Choice = "WPA2-Personal (recommended)";
inline constexpr const char* kSecurityWepChoice = "WEP (only for older devices)";
inline constexpr const char* kWpa2KeyRule = "Password MUST be 8 to 63 characters.";

// text without leading and trailing blanks (spaces and tabs).
std::string TrimBlanks(std::string_view text);

// Why the dialog refuses its input, or nothing when OK may close it. The network name is
// tested first, then the trimmed key by the rule of the security chosen: a WEP key only by
// its length (5 or 13), a WPA2 key by its length (8 to 63) and then its characters. The texts
// are UTF-8, as the dialog gives them; the trimmed name may have at most 32 bytes.
std::optional<std::string> OptionsInputError(std::string_view ssid, std::string_view password,
                                             NetworkSecurity security);
// The rule shown under the key for the security chosen.
const char* KeyRuleText(NetworkSecurity security);

// The values as they are stored: network name and key trimmed.
OptionsValues StoredOptions(OptionsValues values);

// Registers the program to start with the system under name, or removes that entry. Runs after
// every OK, changed or not, so the entry always matches the setting.
void ApplyAutoRun(platform::IAutoRunStore& store, bool autoRun, const std::string& executablePath,
                  const std::string& name);

}  // namespace orvane
