#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::platform {

struct OsVersion {
  uint32_t major = 0;
  uint32_t minor = 0;
  uint32_t build = 0;
};

// The fixed part of a file's version data (VS_FIXEDFILEINFO's file version words).
struct FixedFileVersion {
  uint32_t fileVersionMs = 0;
  uint32_t fileVersionLs = 0;
};

// Facts about the running system, its files and its text.
class ISystemInfo {
 public:
  virtual ~ISystemInfo() = default;

  // GetVersionExA: false when the call failed.
  virtual bool GetOsVersion(OsVersion& version) = 0;

  // The version-data steps: the size of a file's version data (0: none), reading it, and
  // querying its root block for the fixed part.
  virtual uint32_t GetFileVersionInfoSize(const std::string& path) = 0;
  virtual bool GetFileVersionInfo(const std::string& path, std::vector<uint8_t>& data) = 0;
  virtual bool QueryFixedFileVersion(const std::vector<uint8_t>& data,
                                     FixedFileVersion& version) = 0;

  // The system's message text for an OS error code.
  virtual std::string SystemErrorMessage(uint32_t code) = 0;

  // Conversions between UTF-16 and the program's 8-bit text for names and messages: UTF-8,
  // which is what the windows read.
  virtual std::string FromUtf16(std::u16string_view text) = 0;
  virtual std::u16string ToUtf16(std::string_view text) = 0;

  // The program file's full path, and the folder with trailing separator that holds
  // setup.ini and update.dll.
  virtual std::string ExecutablePath() = 0;
  virtual std::string SettingsFolder() = 0;
};

}  // namespace orvane::platform
