#pragma once

#include <memory>
#include <string>
#include <vector>

#include "RegistryAnswer.h"

namespace orvane::platform {

// The Wireless Zero Configuration service's per-interface settings
// ("SOFTWARE\Microsoft\WZCSVC\Parameters\Interfaces" on Windows XP).
class IWzcStore {
 public:
  virtual ~IWzcStore() = default;
  // Opens the interfaces key; false when it cannot be opened.
  virtual bool OpenInterfacesKey() = 0;
  // Names of the subkeys, one per wireless interface, in the store's order.
  virtual std::vector<std::string> InterfaceNames() = 0;
  // "ControlFlags" of one interface.
  virtual StoredNumber ReadControlFlags(const std::string& interfaceName) = 0;
  // 0 on success, else the registry's error code.
  virtual int32_t WriteControlFlags(const std::string& interfaceName, uint32_t flags) = 0;
};

}  // namespace orvane::platform
