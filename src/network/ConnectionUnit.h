#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/StringObjectList.h"
#include "network/AdapterUnit.h"
#include "platform/SharingService.h"

namespace orvane {

// One network connection as the sharing service reports it, with copies of its adapter's data.
struct TConnection {
  bool DhcpEnabled = false;
  std::vector<std::string> IPAddresses;
  std::vector<std::string> IPMasks;
  std::vector<std::string> Gateways;
  bool IsPhysical = false;
  bool IsWireless = false;
  std::string GUID;  // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case
  uint32_t MediaType = 0;
  uint32_t Status = 0;
  std::string DeviceName;
  std::string Name;
};

// Why the last StartSharing failed: the service's code and its own words (empty when it gave
// none). kConnectionNotFound when a connection was not there.
struct SharingFailure {
  static constexpr platform::HResult kConnectionNotFound =
      static_cast<platform::HResult>(0x80070490u);
  platform::HResult code = platform::kSOk;
  std::string description;
  friend bool operator==(const SharingFailure&, const SharingFailure&) = default;
};

// The connection list and connection sharing control. Each operation is self-contained: it
// initialises COM, makes its own sharing manager, releases everything and uninitialises, and
// swallows the errors raised inside it. Sharing state lives in the system, not here.
class TConnectionManager {
 public:
  // Creates the adapter inventory, which loads the adapters at once: a failed query raises
  // OsError to the creator. No connection is enumerated here.
  TConnectionManager(platform::IAdapterQuery& query, platform::IConnectionKindSource& kinds,
                     platform::ISharingService& sharing, platform::ISystemInfo& system,
                     InterfaceTableBlock& ifTable);
  ~TConnectionManager();
  TConnectionManager(const TConnectionManager&) = delete;
  TConnectionManager& operator=(const TConnectionManager&) = delete;

  // Rebuilds Connections (disconnected ones left out). The old list is dropped first; on an
  // error the connections appended so far stay.
  void Refresh();
  // Shares the source (public) to the destination (private), leaving a side that already shares
  // as it is. True when both were found and each shares. Partial effects stay on failure.
  bool StartSharing(const std::string& SourceGUID, const std::string& DestGUID);
  // Why the last StartSharing returned false; a success clears it.
  const SharingFailure& LastFailure() const { return lastFailure_; }
  // Disables sharing on every connection; true when none failed. Carries on past a connection
  // that fails, whose GUID NotStopped then lists.
  bool StopSharing();
  const std::vector<std::string>& NotStopped() const { return notStopped_; }
  // The devices that use the connection while it is shared as private; nothing when the
  // connection is not found or the service fails, so the caller can keep what it had.
  std::optional<std::vector<platform::ConnectedDevice>> ConnectedDevices(
      const std::string& DestGUID);
  // The service's code when the last ConnectedDevices got nothing, with its description (the
  // network a Wi-Fi connection shared through its own card was lost, for one); success else.
  const SharingFailure& LastDevicesFailure() const { return lastDevicesFailure_; }

  // Entry text: the connection's Name; in the system's order. Records live until the next
  // Refresh: keep a GUID, not a record.
  const StringObjectList<TConnection>& Connections() const { return connections_; }
  TAdapterManager& Adapters() { return *adapters_; }
  const TAdapterManager& Adapters() const { return *adapters_; }

 private:
  platform::ISharingService& sharing_;
  platform::ISystemInfo& system_;
  StringObjectList<TConnection> connections_;
  std::vector<std::string> notStopped_;
  SharingFailure lastFailure_;
  SharingFailure lastDevicesFailure_;
  std::unique_ptr<TAdapterManager> adapters_;
};

}  // namespace orvane
