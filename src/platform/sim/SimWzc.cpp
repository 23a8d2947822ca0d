#include "SimWzc.h"

#include <cstdio>

#include "platform/AutoRunStore.h"  // the registry result codes

namespace orvane::sim {

SimWzc::SimWzc(SimCallLog& log) : log_(log) {}

platform::StoredNumber* SimWzc::Find(const std::string& name) {
  for (auto& [interfaceName, flags] : interfaces_) {
    if (interfaceName == name) return &flags;
  }
  return nullptr;
}

platform::StoredNumber& SimWzc::FindOrAdd(const std::string& name) {
  if (auto* flags = Find(name)) return *flags;
  return interfaces_.emplace_back(name, platform::StoredNumber::Missing()).second;
}

void SimWzc::AddInterface(const std::string& name) {
  FindOrAdd(name);
}

void SimWzc::SetControlFlags(const std::string& name, uint32_t flags) {
  FindOrAdd(name) = platform::StoredNumber::Of(flags);
}

void SimWzc::SetControlFlagsWrongType(const std::string& name) {
  FindOrAdd(name) = platform::StoredNumber::WrongType();
}

void SimWzc::RemoveControlFlags(const std::string& name) {
  FindOrAdd(name) = platform::StoredNumber::Missing();
}

platform::StoredNumber SimWzc::ControlFlags(const std::string& name) const {
  for (const auto& [interfaceName, flags] : interfaces_) {
    if (interfaceName == name) return flags;
  }
  return platform::StoredNumber::Missing();
}

bool SimWzc::OpenInterfacesKey() {
  return !log_.Record("OpenInterfacesKey") && openable_;
}

std::vector<std::string> SimWzc::InterfaceNames() {
  if (log_.Record("InterfaceNames") || !openable_) return {};
  std::vector<std::string> names;
  for (const auto& [name, flags] : interfaces_) names.push_back(name);
  return names;
}

platform::StoredNumber SimWzc::ReadControlFlags(const std::string& interfaceName) {
  if (log_.Record("ReadControlFlags " + interfaceName) || !openable_) {
    return platform::StoredNumber::Missing();
  }
  const auto* flags = Find(interfaceName);
  return flags ? *flags : platform::StoredNumber::Missing();
}

int32_t SimWzc::WriteControlFlags(const std::string& interfaceName, uint32_t flags) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%X", flags);
  if (const auto code = log_.Record("WriteControlFlags " + interfaceName + " " + hex)) {
    return static_cast<int32_t>(*code);
  }
  auto* stored = openable_ ? Find(interfaceName) : nullptr;
  if (!stored) return platform::kRegistryFileNotFound;
  *stored = platform::StoredNumber::Of(flags);
  return platform::kRegistrySuccess;
}

}  // namespace orvane::sim
