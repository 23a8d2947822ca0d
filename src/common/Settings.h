#pragma once

#include <string>

#include "NetworkSecurity.h"
#include "UnitGlobal.h"

namespace orvane {

inline constexpr const char* kSettingsFileName = "setup.ini";

// The user's settings as the main window keeps them between load and save.
struct Settings {
  bool AutoRun = false;
  bool CheckForUpdates = false;
  bool StartMinimized = false;
  // Clients of the shared connection may reach the local network behind it, not only the
  // Internet. Off for a new installation.
  bool GuestsReachLocalNetwork = false;
  std::string SourceGUID;
  std::string DestGUID;
  std::string SSID;
  std::string Password;
  NetworkSecurity Security = NetworkSecurity::Wpa2;
};

// Reads "setup.ini" in folder (a folder with trailing separator); a missing file, section or
// key gives the default, and the network name defaults to defaultSSID. Without a key (a new
// installation) the network gets WPA2 and a fresh random key. A file from before the security
// choice, with a 5- or 13-character key and no "Security", keeps its WEP network.
Settings LoadSettings(const std::string& folder,
                      const std::string& defaultSSID = ApplicationName());

// Writes all eight keys into "setup.ini" in folder, keeping the file's other sections and
// keys. Raises IniFileError "Unable to write to <full path>" when the file cannot be written;
// the old file is then left as it was.
void SaveSettings(const std::string& folder, const Settings& settings);

}  // namespace orvane
