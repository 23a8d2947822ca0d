#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>

#include "SimCallLog.h"
#include "platform/SystemInfo.h"

namespace orvane::sim {

// The simulated system facts. Calls are recorded as
//   "GetOsVersion", "GetFileVersionInfoSize <path>", "GetFileVersionInfo <path>",
//   "QueryFixedFileVersion", "SystemErrorMessage <code>", "FromUtf16", "ToUtf16",
//   "ExecutablePath", "SettingsFolder".
// A call the failure script fails answers as the system does when it fails: false, 0 or an
// empty text.
class SimSystem : public platform::ISystemInfo {
 public:
  // The text for error codes without a message of their own ("Unknown error <code>.").
  static std::string DefaultErrorMessage(uint32_t code);

  explicit SimSystem(SimCallLog& log);

  // Starts as version 6.1.7601.
  void SetOsVersion(uint32_t major, uint32_t minor, uint32_t build = 0);

  // A file's version data: its fixed version words; data that cannot be read; or data whose
  // root block holds no fixed part. A path never set has no version data.
  void SetFileVersion(const std::string& path, platform::FixedFileVersion version);
  void SetFileVersionUnreadable(const std::string& path);
  void SetFileVersionWithoutFixedPart(const std::string& path);
  void RemoveFileVersion(const std::string& path);

  // Starts with the messages of a few common codes (2, 5, 1056, 1060, 1062).
  void SetErrorMessage(uint32_t code, const std::string& message);

  void SetExecutablePath(const std::string& path);
  void SetSettingsFolder(const std::string& folder);

  bool GetOsVersion(platform::OsVersion& version) override;
  uint32_t GetFileVersionInfoSize(const std::string& path) override;
  bool GetFileVersionInfo(const std::string& path, std::vector<uint8_t>& data) override;
  bool QueryFixedFileVersion(const std::vector<uint8_t>& data,
                             platform::FixedFileVersion& version) override;
  std::string SystemErrorMessage(uint32_t code) override;
  // Real UTF-8 <-> UTF-16 conversions; malformed input becomes U+FFFD.
  std::string FromUtf16(std::u16string_view text) override;
  std::u16string ToUtf16(std::string_view text) override;
  std::string ExecutablePath() override;
  std::string SettingsFolder() override;

 private:
  enum class VersionData { Readable, Unreadable, WithoutFixedPart };
  struct FileVersion {
    VersionData kind = VersionData::Readable;
    platform::FixedFileVersion version;
  };

  bool Fails(const std::string& call);

  SimCallLog& log_;
  std::mutex mutex_;  // conversions may come from the wireless notification thread
  platform::OsVersion osVersion_{6, 1, 7601};
  std::map<std::string, FileVersion> files_;
  std::map<uint32_t, std::string> errorMessages_;
  std::string executablePath_ = "/opt/orvane/orvane";
  std::string settingsFolder_ = "/opt/orvane/";
};

}  // namespace orvane::sim
