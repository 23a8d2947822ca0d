#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/StringObjectList.h"
#include "network/AdpUtils.h"
#include "platform/AdapterQuery.h"
#include "platform/ConnectionKindSource.h"
#include "platform/SystemInfo.h"

namespace orvane {

// One IP-layer adapter as the system reports it, with its classification.
struct TAdapter {
  std::string Name;  // the adapter's GUID text, braces included
  std::string Description;
  uint32_t Index = 0;
  std::string MacAddress;
  uint32_t AdapterType = 0;  // interface-type number; 23 is PPP (dial-up)
  bool DhcpEnabled = false;
  std::vector<std::string> IPAddresses;
  std::vector<std::string> IPMasks;
  std::vector<std::string> Gateways;
  uint32_t OperStatus = 0;  // 0 until UpdateOperStatus finds the adapter's row
  bool IsPhysical = false;
  bool IsWireless = false;
};

// Bus and medium of a connection, from the system's network class key.
struct ConnectionKind {
  bool IsPhysical = false;
  bool IsWireless = false;
};

inline constexpr uint32_t kAdapterTypePpp = 23;

// The machine's adapters. Every refresh replaces all TAdapter objects, so callers copy what
// they need instead of keeping references across refreshes.
class TAdapterManager {
 public:
  // Loads the adapters at once; a failed query raises OsError to the creator.
  TAdapterManager(platform::IAdapterQuery& query, platform::IConnectionKindSource& kinds,
                  platform::ISystemInfo& system, InterfaceTableBlock& ifTable);
  ~TAdapterManager();
  TAdapterManager(const TAdapterManager&) = delete;
  TAdapterManager& operator=(const TAdapterManager&) = delete;

  // Rebuilds Adapters and the three names. A list too long for the first buffer is asked for
  // once more with the size the system reports. A failed query raises OsError and leaves the
  // list and names as they were; a registry value of the wrong type raises RegistryError and keeps
  // the adapters appended before it.
  void LoadAdapters();
  // LoadAdapters, then UpdateOperStatus.
  void Refresh();
  // Copies each interface's operational status onto the adapter with the same index; skipped
  // when the interface table cannot be read.
  void UpdateOperStatus();
  // Raises RegistryError when a value has the wrong type.
  ConnectionKind ReadConnectionKind(const std::string& guid);

  const std::string& WiredAdapterName() const { return wiredAdapterName_; }
  const std::string& WirelessAdapterName() const { return wirelessAdapterName_; }
  const std::string& DialUpAdapterName() const { return dialUpAdapterName_; }
  // The table the last status update used; null when it could not be read.
  const InterfaceTableBlock* IfTable() const { return ifTableRead_; }
  // Entry text: the adapter's Index in decimal; in the system's order.
  const StringObjectList<TAdapter>& Adapters() const { return adapters_; }

 private:
  platform::IAdapterQuery& query_;
  platform::IConnectionKindSource& kinds_;
  platform::ISystemInfo& system_;
  InterfaceTableBlock& ifTable_;

  std::string wiredAdapterName_;
  std::string wirelessAdapterName_;
  std::string dialUpAdapterName_;
  const InterfaceTableBlock* ifTableRead_ = nullptr;
  StringObjectList<TAdapter> adapters_;
};

}  // namespace orvane
