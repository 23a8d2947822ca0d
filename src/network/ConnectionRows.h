#pragma once

#include "network/ConnectionUnit.h"

namespace orvane {

// How the connection picker shows one connection in its row.

// The row's picture among the picker's four: 0 wired, 1 wired and connected, 2 wireless,
// 3 wireless and connected.
int ConnectionImageIndex(const TConnection& connection);

// "Connected" for a connected connection, "Disconnected" for every other state.
const char* ConnectionStateText(const TConnection& connection);

}  // namespace orvane
