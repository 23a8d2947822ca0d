#pragma once

#include "platform/windows/Win32.h"

#include <cstdint>
#include <string>
#include <vector>

#include "platform/RegistryAnswer.h"

namespace orvane::platform::windows_backend {

// One open registry key, closed when it goes.
class RegistryKey {
 public:
  RegistryKey() = default;
  ~RegistryKey();
  RegistryKey(RegistryKey&& other) noexcept;
  RegistryKey& operator=(RegistryKey&& other) noexcept;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // Results are 0 on success, else the registry's Win32 error code.
  LSTATUS Open(HKEY root, const std::string& path, REGSAM access);
  LSTATUS Create(HKEY root, const std::string& path, REGSAM access);
  bool IsOpen() const { return key_ != nullptr; }

  StoredText ReadText(const std::string& name) const;      // REG_SZ or REG_EXPAND_SZ
  StoredNumber ReadNumber(const std::string& name) const;  // REG_DWORD
  LSTATUS WriteText(const std::string& name, const std::string& data);
  LSTATUS WriteNumber(const std::string& name, uint32_t data);
  LSTATUS DeleteValue(const std::string& name);
  std::vector<std::string> SubkeyNames() const;

 private:
  HKEY key_ = nullptr;
};

}  // namespace orvane::platform::windows_backend
