#include "platform/windows/RegistryKey.h"

#include <algorithm>
#include <utility>

namespace orvane::platform::windows_backend {

RegistryKey::~RegistryKey() {
  if (key_ != nullptr) RegCloseKey(key_);
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
  if (this != &other) {
    if (key_ != nullptr) RegCloseKey(key_);
    key_ = std::exchange(other.key_, nullptr);
  }
  return *this;
}

LSTATUS RegistryKey::Open(HKEY root, const std::string& path, REGSAM access) {
  *this = RegistryKey();
  return RegOpenKeyExA(root, path.c_str(), 0, access, &key_);
}

LSTATUS RegistryKey::Create(HKEY root, const std::string& path, REGSAM access) {
  *this = RegistryKey();
  return RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                         &key_, nullptr);
}

StoredText RegistryKey::ReadText(const std::string& name) const {
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return StoredText::Missing();
  if (type != REG_SZ && type != REG_EXPAND_SZ) return StoredText::WrongType();
  // The value may change between the two reads: retry while it keeps growing.
  std::string data;
  LSTATUS status = ERROR_MORE_DATA;
  while (status == ERROR_MORE_DATA) {
    data.assign(size + 1, '\0');
    size = static_cast<DWORD>(data.size());
    status = RegQueryValueExA(key_, name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &size);
  }
  if (status != ERROR_SUCCESS) return StoredText::Missing();
  if (type != REG_SZ && type != REG_EXPAND_SZ) return StoredText::WrongType();
  data.resize(std::min<std::size_t>(size, data.size()));
  // Stored texts need not end with NUL, and may hold several; the text ends at the first.
  data.resize(data.find('\0') == std::string::npos ? data.size() : data.find('\0'));
  return StoredText::Of(std::move(data));
}

StoredNumber RegistryKey::ReadNumber(const std::string& name) const {
  DWORD type = 0;
  DWORD data = 0;
  DWORD size = sizeof(data);
  const LSTATUS status =
      RegQueryValueExA(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
  if (status == ERROR_FILE_NOT_FOUND) return StoredNumber::Missing();
  if (status == ERROR_MORE_DATA || (status == ERROR_SUCCESS && type != REG_DWORD) ||
      (status == ERROR_SUCCESS && size != sizeof(data)))
    return StoredNumber::WrongType();
  if (status != ERROR_SUCCESS) return StoredNumber::Missing();
  return StoredNumber::Of(data);
}

LSTATUS RegistryKey::WriteText(const std::string& name, const std::string& data) {
  return RegSetValueExA(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                        static_cast<DWORD>(data.size() + 1));
}

LSTATUS RegistryKey::WriteNumber(const std::string& name, uint32_t data) {
  const DWORD value = data;
  return RegSetValueExA(key_, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                        sizeof(value));
}

LSTATUS RegistryKey::DeleteValue(const std::string& name) {
  return RegDeleteValueA(key_, name.c_str());
}

std::vector<std::string> RegistryKey::SubkeyNames() const {
  std::vector<std::string> names;
  // Key names are at most 255 characters.
  char name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof(name);
    const LSTATUS status =
        RegEnumKeyExA(key_, index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  return names;
}

}  // namespace orvane::platform::windows_backend
