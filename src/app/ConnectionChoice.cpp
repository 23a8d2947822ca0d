#include "app/ConnectionChoice.h"

#include "platform/SharingService.h"

namespace orvane {

const TConnection* FindConnection(const StringObjectList<TConnection>& connections,
                                  const std::string& guid) {
  if (guid.empty()) {
    return nullptr;
  }
  for (const auto& entry : connections) {
    if (entry.object && entry.object->GUID == guid) {
      return entry.object.get();
    }
  }
  return nullptr;
}

namespace {

// The connection the machine reaches the Internet through: it carries a default route (a
// gateway; "0.0.0.0" is the system's way of saying none).
bool CarriesDefaultRoute(const TConnection& connection) {
  for (const std::string& gateway : connection.Gateways)
    if (!gateway.empty() && gateway != "0.0.0.0") return true;
  return false;
}

}  // namespace

const TConnection* DefaultSource(const StringObjectList<TConnection>& connections) {
  // Where the Internet really goes through wins; a wireless one only while another wireless
  // connection is left to broadcast.
  const TConnection* destination = DefaultDestination(connections);
  for (const auto& entry : connections) {
    const TConnection* connection = entry.object.get();
    if (connection && connection->Status == platform::kNcsConnected &&
        CarriesDefaultRoute(*connection) &&
        (!connection->IsWireless || connection != destination)) {
      return connection;
    }
  }
  const TConnection* lastCandidate = nullptr;
  for (const auto& entry : connections) {
    const TConnection* connection = entry.object.get();
    if (!connection || connection->Status != platform::kNcsConnected || connection->IsWireless) {
      continue;
    }
    if (connection->MediaType == platform::kNcmLan && connection->IsPhysical) {
      return connection;
    }
    lastCandidate = connection;
  }
  // Nothing else reaches the Internet: the Wi-Fi card may share its own connection beside it.
  if (!lastCandidate && destination && destination->Status == platform::kNcsConnected &&
      CarriesDefaultRoute(*destination)) {
    return destination;
  }
  return lastCandidate;
}

const TConnection* DefaultDestination(const StringObjectList<TConnection>& connections) {
  const TConnection* last = nullptr;
  for (const auto& entry : connections) {
    if (entry.object && entry.object->IsWireless) {
      last = entry.object.get();
    }
  }
  return last;
}

}  // namespace orvane
