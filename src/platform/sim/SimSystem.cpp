#include "SimSystem.h"

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

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf16(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

struct LeadByte {
  std::size_t length;  // 0: not a valid lead byte
  uint8_t secondMin;   // the second byte's range rules out overlong forms, surrogates and
  uint8_t secondMax;   // code points above U+10FFFF
};

LeadByte ClassifyLead(uint8_t b) {
  if (b >= 0xC2 && b <= 0xDF) return {2, 0x80, 0xBF};
  if (b == 0xE0) return {3, 0xA0, 0xBF};
  if (b == 0xED) return {3, 0x80, 0x9F};
  if (b >= 0xE1 && b <= 0xEF) return {3, 0x80, 0xBF};
  if (b == 0xF0) return {4, 0x90, 0xBF};
  if (b >= 0xF1 && b <= 0xF3) return {4, 0x80, 0xBF};
  if (b == 0xF4) return {4, 0x80, 0x8F};
  return {0, 0, 0};
}

// Each malformed sequence (its longest valid beginning) becomes one U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<uint8_t>(text[i]);
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
      continue;
    }
    const LeadByte kind = ClassifyLead(lead);
    if (kind.length == 0) {
      out.push_back(static_cast<char16_t>(kReplacement));
      ++i;
      continue;
    }
    char32_t cp = lead & (0xFF >> (kind.length + 1));
    std::size_t taken = 1;
    for (; taken < kind.length && i + taken < text.size(); ++taken) {
      const auto next = static_cast<uint8_t>(text[i + taken]);
      const uint8_t min = taken == 1 ? kind.secondMin : 0x80;
      const uint8_t max = taken == 1 ? kind.secondMax : 0xBF;
      if (next < min || next > max) break;
      cp = (cp << 6) | (next & 0x3F);
    }
    AppendUtf16(out, taken == kind.length ? cp : kReplacement);
    i += taken;
  }
  return out;
}

// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    char32_t cp = unit;
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      cp = kReplacement;
    }
    AppendUtf8(out, cp);
  }
  return out;
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
  return Utf16ToUtf8(text);
}

std::u16string SimSystem::ToUtf16(std::string_view text) {
  if (Fails("ToUtf16")) return {};
  return Utf8ToUtf16(text);
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
