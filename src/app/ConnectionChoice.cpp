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

const TConnection* DefaultSource(const StringObjectList<TConnection>& connections) {
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
