#include "Settings.h"

#include "IniFile.h"

namespace orvane {

namespace {

constexpr const char* kSection = "System";

std::string_view TrimmedBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

IniFile OpenSettingsFile(const std::string& folder) {
  return IniFile(std::filesystem::path(folder) / kSettingsFileName);
}

}  // namespace

Settings LoadSettings(const std::string& folder, const std::string& defaultSSID) {
  const IniFile file = OpenSettingsFile(folder);
  Settings settings;
  settings.AutoRun = file.ReadBool(kSection, "AutoRun", false);
  settings.CheckForUpdates = file.ReadBool(kSection, "CheckForUpdates", false);
  settings.StartMinimized = file.ReadBool(kSection, "StartMinimized", false);
  settings.GuestsReachLocalNetwork = file.ReadBool(kSection, "GuestsReachLocalNetwork", false);
  settings.SourceGUID = file.ReadString(kSection, "SourceGUID", "");
  settings.DestGUID = file.ReadString(kSection, "DestGUID", "");
  settings.SSID = file.ReadString(kSection, "SSID", defaultSSID);
  settings.Password = file.ReadString(kSection, "Password", "");
  const auto security = ParseSecurity(file.ReadString(kSection, "Security", ""));
  if (settings.Password.empty()) {
    settings.Password = NewNetworkKey();
    settings.Security = NetworkSecurity::Wpa2;
  } else if (security) {
    settings.Security = *security;
  } else {
    // Before there was a choice every network was WEP, and a key of a WEP length must keep
    // working with the devices that already know it.
    const bool wepKey = IsWepKeyLength(TrimmedBlanks(settings.Password).size());
    settings.Security = wepKey ? NetworkSecurity::Wep : NetworkSecurity::Wpa2;
  }
  return settings;
}

void SaveSettings(const std::string& folder, const Settings& settings) {
  IniFile file = OpenSettingsFile(folder);
  file.WriteBool(kSection, "AutoRun", settings.AutoRun);
  file.WriteBool(kSection, "CheckForUpdates", settings.CheckForUpdates);
  file.WriteBool(kSection, "StartMinimized", settings.StartMinimized);
  file.WriteBool(kSection, "GuestsReachLocalNetwork", settings.GuestsReachLocalNetwork);
  file.WriteString(kSection, "SSID", settings.SSID);
  file.WriteString(kSection, "Password", settings.Password);
  file.WriteString(kSection, "Security", SecurityName(settings.Security));
  file.WriteString(kSection, "SourceGUID", settings.SourceGUID);
  file.WriteString(kSection, "DestGUID", settings.DestGUID);
  file.Save();
}

}  // namespace orvane
