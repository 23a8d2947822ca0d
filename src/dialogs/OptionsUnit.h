#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/AutoRunStore.h"

namespace orvane {

// The settings the Options dialog edits.
struct OptionsValues {
  bool AutoRun = false;
  bool StartMinimized = false;
  bool CheckForUpdates = false;
  std::string SSID;
  std::string Password;
  bool GuestsReachLocalNetwork = false;  // network page
  friend bool operator==(const OptionsValues&, const OptionsValues&) = default;
};

inline constexpr const char* kNoNetworkName = "Please input network name!";
inline constexpr const char* kBadKeyLength = "Password MUST be 5 or 13 digits or letters.";

// text without leading and trailing blanks (spaces and tabs).
std::string TrimBlanks(std::string_view text);

// Why the dialog refuses its input, or nothing when OK may close it. The network name is
// tested first; only the trimmed lengths count, never the characters.
std::optional<std::string> OptionsInputError(std::string_view ssid, std::string_view password);

// The values as they are stored: network name and key trimmed.
OptionsValues StoredOptions(OptionsValues values);

// Registers the program to start with the system under name, or removes that entry. Runs after
// every OK, changed or not, so the entry always matches the setting.
void ApplyAutoRun(platform::IAutoRunStore& store, bool autoRun, const std::string& executablePath,
                  const std::string& name);

}  // namespace orvane
