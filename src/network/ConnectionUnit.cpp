#include "network/ConnectionUnit.h"

#include <exception>
#include <utility>

#include "common/Errors.h"
#include "network/GuidText.h"
#include "network/SharingCalls.h"

namespace orvane {

namespace {

std::unique_ptr<TConnection> ConnectionFromProperties(const platform::NetConProperties& properties,
                                                      platform::ISystemInfo& system) {
  auto connection = std::make_unique<TConnection>();
  connection->GUID = GuidToText(properties.guidId);
  connection->MediaType = properties.mediaType;
  connection->Name = system.FromUtf16(properties.name);
  connection->DeviceName = system.FromUtf16(properties.deviceName);
  connection->Status = properties.status;
  return connection;
}

// Copies the data of the adapter with the connection's GUID; when several match, the last wins.
void CopyMatchingAdapter(const TAdapterManager& adapters, TConnection& connection) {
  for (const auto& entry : adapters.Adapters()) {
    const TAdapter* adapter = entry.object.get();
    if (adapter == nullptr || !SameTextIgnoringCase(connection.GUID, adapter->Name)) continue;
    connection.DhcpEnabled = adapter->DhcpEnabled;
    connection.IPAddresses = adapter->IPAddresses;
    connection.IPMasks = adapter->IPMasks;
    connection.Gateways = adapter->Gateways;
  }
}

// Turns sharing on in the given role unless the connection already shares, in any role.
void EnsureSharing(platform::ISharingConfiguration& configuration, int32_t sharingType) {
  bool enabled = false;
  CheckHResult(configuration.GetSharingEnabled(enabled));
  if (!enabled) CheckHResult(configuration.EnableSharing(sharingType));
}

}  // namespace

TConnectionManager::TConnectionManager(platform::IAdapterQuery& query,
                                       platform::IConnectionKindSource& kinds,
                                       platform::ISharingService& sharing,
                                       platform::ISystemInfo& system, InterfaceTableBlock& ifTable)
    : sharing_(sharing),
      system_(system),
      adapters_(std::make_unique<TAdapterManager>(query, kinds, system, ifTable)) {}

TConnectionManager::~TConnectionManager() = default;

void TConnectionManager::Refresh() {
  ClearObjects(&connections_);
  connections_.Clear();
  ComSession com(sharing_);
  try {
    adapters_->Refresh();
    auto manager = CreateSharingManager(sharing_);
    ForEachConnection(*manager, [&](platform::INetConnection& item) {
      const platform::NetConProperties properties = item.GetProperties();
      if (properties.status == platform::kNcsDisconnected) return;
      std::unique_ptr<TConnection> connection = ConnectionFromProperties(properties, system_);
      const ConnectionKind kind = adapters_->ReadConnectionKind(connection->GUID);
      connection->IsPhysical = kind.IsPhysical;
      connection->IsWireless = kind.IsWireless;
      CopyMatchingAdapter(*adapters_, *connection);
      std::string name = connection->Name;
      connections_.Add(std::move(name), std::move(connection));
    });
  } catch (const std::exception&) {
    // Refresh reports nothing: the list keeps what was appended before the error.
  }
}

bool TConnectionManager::StartSharing(const std::string& SourceGUID, const std::string& DestGUID) {
  lastFailure_ = {SharingFailure::kConnectionNotFound, {}};
  if (SourceGUID.empty() || DestGUID.empty()) return false;
  ComSession com(sharing_);
  try {
    auto manager = CreateSharingManager(sharing_);
    std::unique_ptr<platform::ISharingConfiguration> source;
    std::unique_ptr<platform::ISharingConfiguration> destination;
    ForEachConnection(*manager, [&](platform::INetConnection& item) {
      const std::string guid = GuidToText(item.GetProperties().guidId);
      if (guid == SourceGUID) source = SharingConfigurationFor(*manager, item);
      if (guid == DestGUID) destination = SharingConfigurationFor(*manager, item);
    });
    if (!source || !destination) return false;
    EnsureSharing(*source, platform::kIcsSharingTypePublic);
    if (SourceGUID == DestGUID) {
      // One Wi-Fi card for both: the service puts the private side beside the public one, so
      // it is asked even though the connection already reads as shared.
      CheckHResult(destination->EnableSharing(platform::kIcsSharingTypePrivate));
    } else {
      EnsureSharing(*destination, platform::kIcsSharingTypePrivate);
    }
    lastFailure_ = {};
    return true;
  } catch (const ComError& error) {
    lastFailure_ = {error.HResult(), sharing_.ErrorDescription()};
    return false;
  } catch (const std::exception& error) {
    lastFailure_ = {platform::kEFail, error.what()};
    return false;
  }
}

bool TConnectionManager::StopSharing() {
  notStopped_.clear();
  ComSession com(sharing_);
  try {
    auto manager = CreateSharingManager(sharing_);
    ForEachConnection(*manager, [&](platform::INetConnection& item) {
      const std::string guid = GuidToText(item.GetProperties().guidId);
      // Some connections (VPN, incoming) cannot tell their sharing: the ones after them are
      // still turned off.
      try {
        CheckHResult(SharingConfigurationFor(*manager, item)->DisableSharing());
      } catch (const std::exception&) {
        notStopped_.push_back(guid);
      }
    });
    return notStopped_.empty();
  } catch (const std::exception&) {
    return false;
  }
}

std::optional<std::vector<platform::ConnectedDevice>> TConnectionManager::ConnectedDevices(
    const std::string& DestGUID) {
  lastDevicesFailure_ = {};
  if (DestGUID.empty()) return std::nullopt;
  ComSession com(sharing_);
  try {
    auto manager = CreateSharingManager(sharing_);
    std::optional<std::vector<platform::ConnectedDevice>> devices;
    ForEachConnection(*manager, [&](platform::INetConnection& item) {
      if (devices || GuidToText(item.GetProperties().guidId) != DestGUID) return;
      std::vector<platform::ConnectedDevice> found;
      CheckHResult(SharingConfigurationFor(*manager, item)->GetConnectedDevices(found));
      devices = std::move(found);
    });
    return devices;
  } catch (const ComError& error) {
    lastDevicesFailure_ = {error.HResult(), sharing_.ErrorDescription()};
    return std::nullopt;
  } catch (const std::exception&) {
    lastDevicesFailure_ = {platform::kEFail, {}};
    return std::nullopt;
  }
}

}  // namespace orvane
