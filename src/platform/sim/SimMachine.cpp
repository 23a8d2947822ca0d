#include "platform/sim/SimMachine.h"

namespace orvane::sim {
namespace {

// Interface-table operational states: connected or not.
constexpr uint32_t kOperStatusOperational = 5;
constexpr uint32_t kOperStatusDisconnected = 2;

}  // namespace

SimMachine::SimMachine() = default;

void SimMachine::AddConnection(const MachineConnection& connection) {
  SimConnection shared;
  shared.guid = connection.guid;
  shared.name = system_.ToUtf16(connection.name);
  shared.deviceName = system_.ToUtf16(connection.deviceName);
  shared.status = connection.status;
  shared.mediaType = connection.mediaType;
  sharing_.AddConnection(std::move(shared));
  network_.SetConnectionKind(connection.guid, connection.pnpInstanceId, connection.wireless);

  if (connection.hasAdapter) {
    platform::AdapterRecord adapter;
    adapter.name = connection.guid;
    adapter.description = connection.deviceName;
    adapter.index = nextAdapterIndex_++;
    adapter.hardwareAddress = {0x02, 0x00, 0x5E, 0x10, 0x00, static_cast<uint8_t>(adapter.index)};
    adapter.type = connection.adapterType;
    adapter.dhcpEnabled = connection.dhcpEnabled ? 1 : 0;
    if (!connection.ipAddress.empty()) {
      adapter.ipAddresses.push_back({connection.ipAddress, connection.ipMask});
    }
    if (!connection.gateway.empty()) {
      adapter.gateways.push_back({connection.gateway, ""});
    }
    const bool connected = connection.status == platform::kNcsConnected;
    network_.AddInterfaceRow(
        {adapter.index, connected ? kOperStatusOperational : kOperStatusDisconnected});
    network_.AddAdapter(std::move(adapter));
  }

  if (connection.wireless) {
    radio_.AddInterface(system_.ToUtf16(connection.guid));
  }
}

}  // namespace orvane::sim
