#include "platform/linux/LinuxSystemInfo.h"

#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <system_error>

#include "platform/Utf16.h"

#ifndef ORVANE_VERSION_MAJOR
#error "the build passes the project version"
#endif

namespace orvane::platform::linux_backend {
namespace {

namespace fs = std::filesystem;

// The version data of this program: a signature, then the two file version words.
constexpr uint32_t kVersionSignature = 0xFEEF04BD;
constexpr std::size_t kVersionDataSize = 12;

// Kept in the binary as a note, so the file itself says which version it is.
struct VersionNote {
  uint32_t nameSize = 7;
  uint32_t descriptionSize = 8;
  uint32_t type = 1;
  char name[8] = "Orvane";
  uint32_t fileVersionMs = (ORVANE_VERSION_MAJOR << 16) | ORVANE_VERSION_MINOR;
  uint32_t fileVersionLs = (ORVANE_VERSION_PATCH << 16) | ORVANE_VERSION_TWEAK;
};
// Notes are 4-aligned; without an explicit alignment the compiler raises this object's to 16,
// and readelf (so the package's split of the debug symbols) rejects the note as corrupt.
[[gnu::used, gnu::section(".note.orvane.version")]] alignas(4) const VersionNote kVersionNote{};

bool IsOwnProgram(const std::string& path) {
  std::error_code error;
  return !path.empty() && fs::equivalent(path, "/proc/self/exe", error) && !error;
}

void PutWord(std::vector<uint8_t>& data, uint32_t word) {
  for (int shift = 0; shift < 32; shift += 8) data.push_back(static_cast<uint8_t>(word >> shift));
}

uint32_t WordAt(const std::vector<uint8_t>& data, std::size_t offset) {
  uint32_t word = 0;
  for (int k = 3; k >= 0; --k) word = (word << 8) | data[offset + static_cast<std::size_t>(k)];
  return word;
}

// The texts of the Win32 codes this backend itself answers with; strerror has other meanings
// for the same numbers.
const std::map<uint32_t, const char*>& OwnCodeTexts() {
  static const std::map<uint32_t, const char*> texts = {
      {5, "Access is denied."},
      {6, "The handle is invalid."},
      {13, "The data is invalid."},
      {31, "A device attached to the system is not functioning."},
      {111, "The file name is too long."},  // ERROR_BUFFER_OVERFLOW
      {122, "The data area passed to a system call is too small."},
      {123, "The filename, directory name, or volume label syntax is incorrect."},
      {232, "The pipe is being closed."},  // ERROR_NO_DATA
      {1052, "The requested control is not valid for this service."},
      {1053, "The service did not respond to the start or control request in a timely fashion."},
      {1056, "An instance of the service is already running."},
      {1058,
       "The service cannot be started, either because it is disabled or because it has no enabled "
       "devices associated with it."},
      {1060, "The specified service does not exist as an installed service."},
      {1062, "The service has not been started."},
      {1722, "The RPC server is unavailable."},
      // The wireless library's answers.
      {50, "The request is not supported."},
      {87, "The parameter is incorrect."},
      {316, "The device does not support the command feature."},
      {1167, "The device is not connected."},
      {1168, "Element not found."},
      {1460, "This operation returned because the timeout period expired."},
      {1627, "Function failed during execution."},
  };
  return texts;
}

}  // namespace

FixedFileVersion BuiltInVersion() {
  return {kVersionNote.fileVersionMs, kVersionNote.fileVersionLs};
}

bool ParseKernelRelease(const std::string& release, OsVersion& version) {
  uint32_t parts[3] = {0, 0, 0};
  std::size_t i = 0;
  int part = 0;
  bool any = false;
  while (part < 3 && i < release.size() && std::isdigit(static_cast<unsigned char>(release[i]))) {
    uint64_t value = 0;
    while (i < release.size() && std::isdigit(static_cast<unsigned char>(release[i]))) {
      value = std::min<uint64_t>(value * 10 + static_cast<uint64_t>(release[i] - '0'), 0xFFFFFFFF);
      ++i;
      any = true;
    }
    parts[part++] = static_cast<uint32_t>(value);
    if (i < release.size() && release[i] == '.') ++i;
  }
  if (!any) return false;
  version = {parts[0], parts[1], parts[2]};
  // 5.1 is the one version the components treat as the old wireless service's system; a 5.1
  // kernel is not that system.
  if (version.major == 5 && version.minor == 1) version.minor = 2;
  return true;
}

bool LinuxSystemInfo::GetOsVersion(OsVersion& version) {
  utsname name{};
  if (uname(&name) != 0) return false;
  return ParseKernelRelease(name.release, version);
}

uint32_t LinuxSystemInfo::GetFileVersionInfoSize(const std::string& path) {
  return IsOwnProgram(path) ? kVersionDataSize : 0;
}

bool LinuxSystemInfo::GetFileVersionInfo(const std::string& path, std::vector<uint8_t>& data) {
  if (!IsOwnProgram(path)) return false;
  data.clear();
  PutWord(data, kVersionSignature);
  PutWord(data, kVersionNote.fileVersionMs);
  PutWord(data, kVersionNote.fileVersionLs);
  return true;
}

bool LinuxSystemInfo::QueryFixedFileVersion(const std::vector<uint8_t>& data,
                                            FixedFileVersion& version) {
  if (data.size() < kVersionDataSize || WordAt(data, 0) != kVersionSignature) return false;
  version = {WordAt(data, 4), WordAt(data, 8)};
  return true;
}

std::string LinuxSystemInfo::SystemErrorMessage(uint32_t code) {
  const auto& own = OwnCodeTexts();
  if (auto found = own.find(code); found != own.end()) return found->second;
  return std::system_category().message(static_cast<int>(code));
}

std::string LinuxSystemInfo::FromUtf16(std::u16string_view text) {
  return Utf16ToUtf8(text);
}

std::u16string LinuxSystemInfo::ToUtf16(std::string_view text) {
  return Utf8ToUtf16(text);
}

std::string LinuxSystemInfo::ExecutablePath() {
  std::error_code error;
  fs::path path = fs::read_symlink("/proc/self/exe", error);
  return error ? std::string() : path.string();
}

std::string ChooseSettingsFolder(const std::string& executablePath, const char* xdgConfigHome,
                                 const std::string& home) {
  const fs::path own = fs::path(executablePath).parent_path();
  // Root can write anywhere; an installed program is no portable copy.
  std::string ownText = own.string() + "/";
  const bool installed = ownText.rfind("/usr/", 0) == 0 || ownText.rfind("/bin/", 0) == 0 ||
                         ownText.rfind("/sbin/", 0) == 0;
  if (!own.empty() && !installed && access(own.c_str(), W_OK) == 0) return ownText;
  fs::path base;
  // The XDG rules ignore relative paths.
  if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') {
    base = xdgConfigHome;
  } else if (!home.empty()) {
    base = fs::path(home) / ".config";
  } else {
    return own.empty() ? std::string() : own.string() + "/";
  }
  const fs::path folder = base / "orvane";
  std::error_code error;
  fs::create_directories(folder, error);
  return folder.string() + "/";
}

std::string LinuxSystemInfo::SettingsFolder() {
  const char* home = std::getenv("HOME");
  std::string homeText = home != nullptr ? home : "";
  if (homeText.empty()) {
    if (passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr)
      homeText = entry->pw_dir;
  }
  return ChooseSettingsFolder(ExecutablePath(), std::getenv("XDG_CONFIG_HOME"), homeText);
}

}  // namespace orvane::platform::linux_backend
