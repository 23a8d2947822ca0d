#include "platform/windows/WinSystemInfo.h"

#include "platform/windows/Win32.h"

#include <climits>

#include "platform/Utf16.h"

namespace orvane::platform::windows_backend {

bool WinSystemInfo::GetOsVersion(OsVersion& version) {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
  // Deprecated for newer systems, but it is the call whose answer the version gate expects.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!::GetVersionExA(&info)) return false;
#pragma GCC diagnostic pop
  version = {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
  return true;
}

uint32_t WinSystemInfo::GetFileVersionInfoSize(const std::string& path) {
  DWORD ignored = 0;
  return ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
}

bool WinSystemInfo::GetFileVersionInfo(const std::string& path, std::vector<uint8_t>& data) {
  if (data.empty() || data.size() > ULONG_MAX) return false;
  return ::GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data());
}

bool WinSystemInfo::QueryFixedFileVersion(const std::vector<uint8_t>& data,
                                          FixedFileVersion& version) {
  void* block = nullptr;
  UINT length = 0;
  // The query takes a non-const block but only reads it.
  if (!::VerQueryValueA(const_cast<uint8_t*>(data.data()), "\\", &block, &length) ||
      block == nullptr || length < sizeof(VS_FIXEDFILEINFO))
    return false;
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(block);
  version = {fixed->dwFileVersionMS, fixed->dwFileVersionLS};
  return true;
}

std::string WinSystemInfo::SystemErrorMessage(uint32_t code) {
  // The wide form: the system's words in the user's language whatever the ANSI code page.
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string message =
      length == 0
          ? std::string()
          : Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
  if (text != nullptr) ::LocalFree(text);
  // The system ends its texts with a line break; the error box adds its own layout.
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
  return message;
}

// Names (networks, connections, messages) are UTF-8, as the windows read them: the ANSI code
// page cannot hold every name a network or a connection may have. Paths stay in the ANSI code
// page, as the calls and the file streams they reach expect.
std::string WinSystemInfo::FromUtf16(std::u16string_view text) {
  return Utf16ToUtf8(text);
}

std::u16string WinSystemInfo::ToUtf16(std::string_view text) {
  return Utf8ToUtf16(text);
}

std::string WinSystemInfo::ExecutablePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);  // cut short: ask again with room to spare
  }
}

std::string WinSystemInfo::SettingsFolder() {
  const std::string path = ExecutablePath();
  const auto separator = path.find_last_of("\\/");
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

}  // namespace orvane::platform::windows_backend
