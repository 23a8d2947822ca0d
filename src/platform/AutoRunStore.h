#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace orvane::platform {

inline constexpr int32_t kRegistrySuccess = 0;
inline constexpr int32_t kRegistryFileNotFound = 2;

// The open Run key; closed when released.
class IRunKey {
 public:
  virtual ~IRunKey() = default;
  // Registry results: 0 on success, else the Win32 error code.
  virtual int32_t WriteString(const std::string& name, const std::string& data) = 0;
  virtual int32_t DeleteValue(const std::string& name) = 0;  // 2 when the value is missing
};

// The store of programs started with the system (the machine-wide Run key on Windows).
class IAutoRunStore {
 public:
  virtual ~IAutoRunStore() = default;
  // Opens the key with full access, creating it if missing; null when it cannot be opened.
  virtual std::unique_ptr<IRunKey> OpenRunKey() = 0;
};

}  // namespace orvane::platform
