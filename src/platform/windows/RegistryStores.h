#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/AutoRunStore.h"
#include "platform/ConnectionKindSource.h"
#include "platform/WzcStore.h"
#include "platform/windows/RegistryKey.h"

namespace orvane::platform::windows_backend {

// The keys under HKEY_LOCAL_MACHINE the program reads and writes.
inline constexpr const char* kNetworkClassKey =
    "SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\";
inline constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kWzcInterfacesKey =
    "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces";

// A connection's "Connection" key under the network class key, opened read-only.
class WinConnectionKinds : public IConnectionKindSource {
 public:
  ConnectionKindFacts ReadConnectionKindFacts(const std::string& guid) override;
};

// The machine-wide Run key.
class WinAutoRunStore : public IAutoRunStore {
 public:
  std::unique_ptr<IRunKey> OpenRunKey() override;
};

// The Wireless Zero Configuration service's per-interface keys.
class WinWzcStore : public IWzcStore {
 public:
  bool OpenInterfacesKey() override;
  std::vector<std::string> InterfaceNames() override;
  StoredNumber ReadControlFlags(const std::string& interfaceName) override;
  int32_t WriteControlFlags(const std::string& interfaceName, uint32_t flags) override;

 private:
  RegistryKey interfaces_;
};

}  // namespace orvane::platform::windows_backend
