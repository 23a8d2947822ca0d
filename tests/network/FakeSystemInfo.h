#pragma once

#include <string>

#include "platform/SystemInfo.h"

namespace orvane::testing {

// The few system facts the network core asks for: error messages and UTF-16 text. Characters
// beyond ASCII become '?', which is enough for the names these tests use.
class FakeSystemInfo : public platform::ISystemInfo {
 public:
  bool GetOsVersion(platform::OsVersion&) override { return false; }
  uint32_t GetFileVersionInfoSize(const std::string&) override { return 0; }
  bool GetFileVersionInfo(const std::string&, std::vector<uint8_t>&) override { return false; }
  bool QueryFixedFileVersion(const std::vector<uint8_t>&, platform::FixedFileVersion&) override {
    return false;
  }
  std::string SystemErrorMessage(uint32_t code) override {
    return "message for " + std::to_string(code);
  }
  std::string FromUtf16(std::u16string_view text) override {
    std::string out;
    for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
  }
  std::u16string ToUtf16(std::string_view text) override {
    return std::u16string(text.begin(), text.end());
  }
  std::string ExecutablePath() override { return "/opt/orvane/orvane"; }
  std::string SettingsFolder() override { return "/opt/orvane/"; }
};

}  // namespace orvane::testing
