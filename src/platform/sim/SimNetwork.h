#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/AdapterQuery.h"
#include "platform/ConnectionKindSource.h"
#include "platform/sim/SimCallLog.h"

namespace orvane::sim {

// The simulated IP layer and network class key: adapter records, interface-table rows and the
// connection-kind facts per GUID. Buffer sizes follow the system's rules: an adapter needs 640
// bytes, the interface table 4 plus 860 per row. Calls are recorded as
// "GetAdaptersInfo SIZE", "GetIfTable SIZE" and "ReadConnectionKindFacts GUID"; a scripted
// failure answers its code (for the facts: the key cannot be opened).
class SimNetwork : public platform::IAdapterQuery, public platform::IConnectionKindSource {
 public:
  explicit SimNetwork(SimCallLog& log);

  void AddAdapter(platform::AdapterRecord adapter);
  void ClearAdapters();
  void AddInterfaceRow(platform::InterfaceRow row);
  void ClearInterfaceRows();
  // The facts the network class key holds for guid (matched exactly); a GUID without facts
  // has no key.
  void SetConnectionKindFacts(const std::string& guid, platform::ConnectionKindFacts facts);
  // A key with the given instance id and, when wireless, a MediaSubType of 2 (else none).
  void SetConnectionKind(const std::string& guid, const std::string& pnpInstanceId, bool wireless);

  // What the Wi-Fi card behind guid says about itself; recorded as
  // "ReadWirelessCardFacts GUID".
  void SetWirelessCardFacts(const std::string& guid, platform::WirelessCardFacts facts);
  platform::WirelessCardFacts ReadWirelessCardFacts(const std::string& guid) override;

  platform::AdapterQueryResult GetAdaptersInfo(uint32_t bufferSize) override;
  platform::InterfaceTableResult GetIfTable(uint32_t bufferSize) override;
  platform::ConnectionKindFacts ReadConnectionKindFacts(const std::string& guid) override;

 private:
  SimCallLog& log_;
  std::vector<platform::AdapterRecord> adapters_;
  std::vector<platform::InterfaceRow> rows_;
  std::map<std::string, platform::ConnectionKindFacts> kinds_;
  std::map<std::string, platform::WirelessCardFacts> cards_;
};

}  // namespace orvane::sim
