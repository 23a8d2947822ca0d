#pragma once

#include "platform/WzcStore.h"

namespace orvane::platform::linux_backend {

// Linux has no Wireless Zero Configuration service: its settings key never opens.
class LinuxWzcStore : public IWzcStore {
 public:
  bool OpenInterfacesKey() override { return false; }
  std::vector<std::string> InterfaceNames() override { return {}; }
  StoredNumber ReadControlFlags(const std::string&) override { return StoredNumber::Missing(); }
  int32_t WriteControlFlags(const std::string&, uint32_t) override { return kFileNotFound; }

 private:
  static constexpr int32_t kFileNotFound = 2;
};

}  // namespace orvane::platform::linux_backend
