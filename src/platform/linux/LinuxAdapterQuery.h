#pragma once

#include "platform/AdapterQuery.h"
#include "platform/ConnectionKindSource.h"
#include "platform/linux/InterfaceInventory.h"

namespace orvane::platform::linux_backend {

// The adapter list and interface table from netlink and sysfs.
class LinuxAdapterQuery : public IAdapterQuery {
 public:
  explicit LinuxAdapterQuery(MachinePaths paths = {}) : paths_(std::move(paths)) {}
  AdapterQueryResult GetAdaptersInfo(uint32_t bufferSize) override;
  InterfaceTableResult GetIfTable(uint32_t bufferSize) override;

 private:
  MachinePaths paths_;
};

// "PnpInstanceID" and "MediaSubType" of an interface, from its bus and medium in sysfs.
class LinuxConnectionKinds : public IConnectionKindSource {
 public:
  explicit LinuxConnectionKinds(MachinePaths paths = {}) : paths_(std::move(paths)) {}
  ConnectionKindFacts ReadConnectionKindFacts(const std::string& guid) override;
  WirelessCardFacts ReadWirelessCardFacts(const std::string& guid) override;

 private:
  MachinePaths paths_;
};

AdapterRecord AdapterRecordOf(const InterfaceView& view);

}  // namespace orvane::platform::linux_backend
