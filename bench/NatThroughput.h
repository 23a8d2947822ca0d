#pragma once

#include <string>

#include "SharingTopology.h"
#include "network/ConnectionUnit.h"

namespace orvane::bench {

// Prints nat_throughput_ratio, its spread between rounds and every round's ratio: TCP
// throughput through the host of `net` while it shares source to destination, against plain
// routing. Expects the client in net.priv to hold its lease from the sharing's server, and the
// calling thread in net.host. Answers why it failed ("" when the figures were printed).
std::string MeasureNatThroughput(test::SharingTopology& net, TConnectionManager& manager,
                                 const std::string& source, const std::string& destination);

}  // namespace orvane::bench
