#include "network/ConnectionRows.h"

namespace orvane {

namespace {

bool IsConnected(const TConnection& connection) {
  return connection.Status == platform::kNcsConnected;
}

}  // namespace

int ConnectionImageIndex(const TConnection& connection) {
  return (IsConnected(connection) ? 1 : 0) + (connection.IsWireless ? 2 : 0);
}

const char* ConnectionStateText(const TConnection& connection) {
  return IsConnected(connection) ? "Connected" : "Disconnected";
}

}  // namespace orvane
