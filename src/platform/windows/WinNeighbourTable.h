#pragma once

#include <vector>

#include "platform/SharingService.h"

namespace orvane::platform::windows_backend {

// The devices the IPv4 neighbour table holds for the interface with this GUID. IP Helper's
// functions for it came with Vista: they are looked up when called, so the program still starts
// on older systems, where this answers a failure.
HResult ListNeighbourDevices(const Guid& interfaceGuid, std::vector<ConnectedDevice>& devices);

}  // namespace orvane::platform::windows_backend
