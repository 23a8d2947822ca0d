#include "Settings.h"

#include "IniFile.h"

namespace orvane {

namespace {

constexpr const char* kSection = "System";

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
  settings.Password = file.ReadString(kSection, "Password", kDefaultPassword);
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
  file.WriteString(kSection, "SourceGUID", settings.SourceGUID);
  file.WriteString(kSection, "DestGUID", settings.DestGUID);
  file.Save();
}

}  // namespace orvane
