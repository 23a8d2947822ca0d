#include "SimSystem.h"

#include "platform/Utf16.h"

namespace orvane::sim {

namespace {

// The fixed part of version data as the system lays it out: a signature, the structure's
// version, then the file version's two words.
constexpr uint32_t kFixedSignature = 0xFEEF04BD;
constexpr std::size_t kFixedPartSize = 52;
constexpr std::size_t kFileVersionMsOffset = 8;
constexpr std::size_t kFileVersionLsOffset = 12;

void PutWord(std::vector<uint8_t>& data, std::size_t offset, uint32_t word) {
  for (std::size_t i = 0; i < 4; ++i) data[offset + i] = static_cast<uint8_t>(word >> (8 * i));
}

uint32_t GetWord(const std::vector<uint8_t>& data, std::size_t offset) {
  uint32_t word = 0;
  for (std::size_t i = 0; i < 4; ++i) word |= static_cast<uint32_t>(data[offset + i]) << (8 * i);
  return word;
}

}  // namespace

std::string SimSystem::DefaultErrorMessage(uint32_t code) {
  return "Unknown error " + std::to_string(code) + ".";
}

SimSystem::SimSystem(SimCallLog& log)
    : log_(log),
      errorMessages_{
          {2, "The system cannot find the file specified."},
          {5, "Access is denied."},
          {1056, "An instance of the service is already running."},
          {1060, "The specified service does not exist as an installed service."},
          {1062, "The service has not been started."},
      } {}

bool SimSystem::Fails(const std::string& call) {
  return log_.Record(call).has_value();
}

void SimSystem::SetOsVersion(uint32_t major, uint32_t minor, uint32_t build) {
  std::lock_guard lock(mutex_);
  osVersion_ = {major, minor, build};
}

void SimSystem::SetFileVersion(const std::string& path, platform::FixedFileVersion version) {
  std::lock_guard lock(mutex_);
  files_[path] = {VersionData::Readable, version};
}

void SimSystem::SetFileVersionUnreadable(const std::string& path) {
  std::lock_guard lock(mutex_);
  files_[path] = {VersionData::Unreadable, {}};
}

void SimSystem::SetFileVersionWithoutFixedPart(const std::string& path) {
  std::lock_guard lock(mutex_);
  files_[path] = {VersionData::WithoutFixedPart, {}};
}

void SimSystem::RemoveFileVersion(const std::string& path) {
  std::lock_guard lock(mutex_);
  files_.erase(path);
}

void SimSystem::SetErrorMessage(uint32_t code, const std::string& message) {
  std::lock_guard lock(mutex_);
  errorMessages_[code] = message;
}

void SimSystem::SetExecutablePath(const std::string& path) {
  std::lock_guard lock(mutex_);
  executablePath_ = path;
}

void SimSystem::SetSettingsFolder(const std::string& folder) {
  std::lock_guard lock(mutex_);
  settingsFolder_ = folder;
}

bool SimSystem::GetOsVersion(platform::OsVersion& version) {
  if (Fails("GetOsVersion")) return false;
  std::lock_guard lock(mutex_);
  version = osVersion_;
  return true;
}

uint32_t SimSystem::GetFileVersionInfoSize(const std::string& path) {
  if (Fails("GetFileVersionInfoSize " + path)) return 0;
  std::lock_guard lock(mutex_);
  return files_.contains(path) ? kFixedPartSize : 0;
}

bool SimSystem::GetFileVersionInfo(const std::string& path, std::vector<uint8_t>& data) {
  if (Fails("GetFileVersionInfo " + path)) return false;
  std::lock_guard lock(mutex_);
  const auto file = files_.find(path);
  if (file == files_.end() || file->second.kind == VersionData::Unreadable) return false;
  data.assign(kFixedPartSize, 0);
  if (file->second.kind == VersionData::Readable) {
    PutWord(data, 0, kFixedSignature);
    PutWord(data, 4, 0x00010000);
    PutWord(data, kFileVersionMsOffset, file->second.version.fileVersionMs);
    PutWord(data, kFileVersionLsOffset, file->second.version.fileVersionLs);
  }
  return true;
}

bool SimSystem::QueryFixedFileVersion(const std::vector<uint8_t>& data,
                                      platform::FixedFileVersion& version) {
  if (Fails("QueryFixedFileVersion")) return false;
  if (data.size() < kFixedPartSize || GetWord(data, 0) != kFixedSignature) return false;
  version.fileVersionMs = GetWord(data, kFileVersionMsOffset);
  version.fileVersionLs = GetWord(data, kFileVersionLsOffset);
  return true;
}

std::string SimSystem::SystemErrorMessage(uint32_t code) {
  if (Fails("SystemErrorMessage " + std::to_string(code))) return {};
  std::lock_guard lock(mutex_);
  const auto message = errorMessages_.find(code);
  return message != errorMessages_.end() ? message->second : DefaultErrorMessage(code);
}

std::string SimSystem::FromUtf16(std::u16string_view text) {
  if (Fails("FromUtf16")) return {};
  return platform::Utf16ToUtf8(text);
}

std::u16string SimSystem::ToUtf16(std::string_view text) {
  if (Fails("ToUtf16")) return {};
  return platform::Utf8ToUtf16(text);
}

std::string SimSystem::ExecutablePath() {
  if (Fails("ExecutablePath")) return {};
  std::lock_guard lock(mutex_);
  return executablePath_;
}

std::string SimSystem::SettingsFolder() {
  if (Fails("SettingsFolder")) return {};
  std::lock_guard lock(mutex_);
  return settingsFolder_;
}

}  // namespace orvane::sim
