#pragma once

#include "platform/SystemInfo.h"

namespace orvane::platform::linux_backend {

// The file version the build gave this program: project version words, as the fixed part of
// version data reports them.
FixedFileVersion BuiltInVersion();

class LinuxSystemInfo : public ISystemInfo {
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

// The kernel release as a version ("6.1.0-13-amd64" gives 6.1.0); false when it has no number.
bool ParseKernelRelease(const std::string& release, OsVersion& version);

// Where settings live: the program's own folder when it can be written and is not a system
// folder (a portable copy), else $XDG_CONFIG_HOME/orvane/ (default ~/.config/orvane/), created
// when missing. Ends with "/".
std::string ChooseSettingsFolder(const std::string& executablePath, const char* xdgConfigHome,
                                 const std::string& home);

}  // namespace orvane::platform::linux_backend
