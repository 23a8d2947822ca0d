#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/sim/SimCallLog.h"
#include "platform/sim/SimNetwork.h"
#include "platform/sim/SimSharing.h"
#include "platform/sim/SimSystem.h"

namespace orvane::testing {

inline std::string TestGuid(int n) {
  char text[39];
  std::snprintf(text, sizeof text, "{A0B1C2D3-0000-4E5F-8A9B-%012X}", n);
  return text;
}

// An adapter record with one address per entry of ips (mask 255.255.255.0).
inline platform::AdapterRecord AdapterRecordFor(uint32_t index, const std::string& guid,
                                                std::initializer_list<const char*> ips = {}) {
  platform::AdapterRecord record;
  record.name = guid;
  record.description = "Adapter " + std::to_string(index);
  record.index = index;
  record.hardwareAddress = {0x00, 0x1a, 0x2b, 0x3c, 0x4d, static_cast<uint8_t>(index)};
  record.type = 6;
  for (const char* ip : ips) record.ipAddresses.push_back({ip, "255.255.255.0"});
  return record;
}

// The simulated machine the network core runs against.
class NetworkTest : public ::testing::Test {
 protected:
  sim::SimCallLog log;
  sim::SimNetwork network{log};
  sim::SimSharing sharing{log};
  sim::SimSystem system{log};
};

}  // namespace orvane::testing
