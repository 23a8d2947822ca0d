#pragma once

#include "platform/SystemInfo.h"

namespace orvane::platform::windows_backend {

// Windows version, version resources and system message texts. Names and messages are UTF-8;
// the executable's path and folder are in the ANSI code page.
class WinSystemInfo : public ISystemInfo {
 public:
  bool GetOsVersion(OsVersion& version) override;
  uint32_t GetFileVersionInfoSize(const std::string& path) override;
  bool GetFileVersionInfo(const std::string& path, std::vector<uint8_t>& data) override;
  bool QueryFixedFileVersion(const std::vector<uint8_t>& data, FixedFileVersion& version) override;
  std::string SystemErrorMessage(uint32_t code) override;
  std::string FromUtf16(std::u16string_view text) override;
  std::u16string ToUtf16(std::string_view text) override;
  std::string ExecutablePath() override;
  std::string SettingsFolder() override;
};

}  // namespace orvane::platform::windows_backend
