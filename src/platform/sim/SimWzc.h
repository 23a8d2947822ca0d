#pragma once

#include <string>
#include <utility>
#include <vector>

#include "SimCallLog.h"
#include "platform/WzcStore.h"

namespace orvane::sim {

// The simulated per-interface settings of the wireless configuration service: interfaces in
// the order they were added, each with a "ControlFlags" value that may be missing, of another
// type than a number, or a number. Calls are recorded as "OpenInterfacesKey",
// "InterfaceNames", "ReadControlFlags <interface>" and "WriteControlFlags <interface> 0x<flags>".
// A failed open answers false, a failed listing no names, a failed read a missing value and a
// failed write the scripted code. While the key cannot be opened the store looks empty.
class SimWzc : public platform::IWzcStore {
 public:
  explicit SimWzc(SimCallLog& log);

  void SetKeyOpenable(bool openable) { openable_ = openable; }
  // Adds the interface (without "ControlFlags") if it is not there yet.
  void AddInterface(const std::string& name);
  void SetControlFlags(const std::string& name, uint32_t flags);
  void SetControlFlagsWrongType(const std::string& name);
  void RemoveControlFlags(const std::string& name);

  platform::StoredNumber ControlFlags(const std::string& name) const;

  bool OpenInterfacesKey() override;
  std::vector<std::string> InterfaceNames() override;
  platform::StoredNumber ReadControlFlags(const std::string& interfaceName) override;
  int32_t WriteControlFlags(const std::string& interfaceName, uint32_t flags) override;

 private:
  using Interface = std::pair<std::string, platform::StoredNumber>;

  platform::StoredNumber* Find(const std::string& name);
  platform::StoredNumber& FindOrAdd(const std::string& name);

  SimCallLog& log_;
  bool openable_ = true;
  std::vector<Interface> interfaces_;
};

}  // namespace orvane::sim
