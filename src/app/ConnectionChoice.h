#pragma once

#include <string>

#include "common/StringObjectList.h"
#include "network/ConnectionUnit.h"

namespace orvane {

// The choices of source and destination among the connections, in the system's order.

// The first connection whose GUID equals guid exactly (letter case counts); null for an empty
// text or no match.
const TConnection* FindConnection(const StringObjectList<TConnection>& connections,
                                  const std::string& guid);

// The first connected connection that carries a default route (a wireless one only when it is
// not the default destination); failing that the first connected, non-wireless, physical LAN
// connection; failing that the last connected non-wireless one; failing that the default
// destination itself when it is connected and carries the default route (one Wi-Fi card shares
// its own connection); null when there is none.
const TConnection* DefaultSource(const StringObjectList<TConnection>& connections);

// The last wireless connection, connected or not; null when there is none.
const TConnection* DefaultDestination(const StringObjectList<TConnection>& connections);

}  // namespace orvane
