#include "SystemHelpers.h"

#include <vector>

#include "Errors.h"

namespace orvane {

std::string FolderOf(const std::string& path) {
  const auto separator = path.find_last_of("/\\");
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

bool IsWindowsXP(platform::ISystemInfo& system) {
  platform::OsVersion version;
  if (!system.GetOsVersion(version)) return false;
  return version.major == 5 && version.minor == 1;
}

std::string GetFileVersionText(platform::ISystemInfo& system, const std::string& path) {
  const uint32_t size = system.GetFileVersionInfoSize(path);
  if (size == 0) return {};
  std::vector<uint8_t> data(size);
  platform::FixedFileVersion version;
  if (!system.GetFileVersionInfo(path, data) || !system.QueryFixedFileVersion(data, version)) {
    return {};
  }
  return std::to_string(version.fileVersionMs >> 16) + "." +
         std::to_string(version.fileVersionMs & 0xFFFF) + "." +
         std::to_string(version.fileVersionLs >> 16) + "." +
         std::to_string(version.fileVersionLs & 0xFFFF);
}

namespace {

std::string QuotedIfBlank(const std::string& command) {
  const bool quoted = command.size() >= 2 && command.front() == '"' && command.back() == '"';
  if (quoted || command.find(' ') == std::string::npos) return command;
  return '"' + command + '"';
}

}  // namespace

void SetAutoRun(platform::IAutoRunStore& store, const std::string& command,
                const std::string& valueName) {
  const auto key = store.OpenRunKey();
  if (!key) return;
  const int32_t result = key->WriteString(valueName, QuotedIfBlank(command));
  if (result != platform::kRegistrySuccess) {
    throw RegistryError("Failed to set data for '" + valueName + "'", result);
  }
}

void RemoveAutoRun(platform::IAutoRunStore& store, const std::string& valueName) {
  if (const auto key = store.OpenRunKey()) key->DeleteValue(valueName);
}

}  // namespace orvane
