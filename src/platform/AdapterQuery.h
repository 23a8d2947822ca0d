#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvane::platform {

// One node of an adapter's address chain, as the IP layer reports it.
struct IpAddressNode {
  std::string address;
  std::string mask;
};

// One record of the adapter list, field by field as the IP layer reports it.
struct AdapterRecord {
  std::string name;  // the adapter's GUID text, braces included
  std::string description;
  uint32_t index = 0;
  std::vector<uint8_t> hardwareAddress;  // at most 8 bytes
  uint32_t type = 0;                     // interface-type number (6 Ethernet, 23 PPP, 71 802.11)
  uint32_t dhcpEnabled = 0;
  std::vector<IpAddressNode> ipAddresses;  // chain order, first node included
  std::vector<IpAddressNode> gateways;     // chain order
};

struct InterfaceRow {
  uint32_t index = 0;
  uint32_t operStatus = 0;
};

// Sizes the IP layer uses for its buffers; the components size their requests with them.
inline constexpr uint32_t kAdapterRecordSize = 640;
inline constexpr uint32_t kInterfaceRowSize = 860;
inline constexpr uint32_t kInterfaceTableHeaderSize = 4;

// Win32 codes the adapter queries answer with.
inline constexpr uint32_t kErrorSuccess = 0;
inline constexpr uint32_t kErrorInsufficientBuffer = 122;
inline constexpr uint32_t kErrorBufferOverflow = 111;
inline constexpr uint32_t kErrorNoData = 232;

struct AdapterQueryResult {
  uint32_t code = kErrorSuccess;  // 0, or 111 when bufferSize is too small, or any other error
  uint32_t requiredSize = 0;      // the size the query needs, reported with 111
  std::vector<AdapterRecord> adapters;  // filled only when code is 0
};

struct InterfaceTableResult {
  uint32_t code = kErrorSuccess;  // 0, or 122 when bufferSize is too small, or any other error
  uint32_t requiredSize = 0;
  std::vector<InterfaceRow> rows;  // filled only when code is 0
};

// The IP-layer adapter list and interface table (IP Helper on Windows, netlink on Linux).
class IAdapterQuery {
 public:
  virtual ~IAdapterQuery() = default;
  // Asks for the adapter list into a buffer of bufferSize bytes.
  virtual AdapterQueryResult GetAdaptersInfo(uint32_t bufferSize) = 0;
  // Asks for the interface table into a buffer of bufferSize bytes (0 asks only for the size).
  virtual InterfaceTableResult GetIfTable(uint32_t bufferSize) = 0;
};

}  // namespace orvane::platform
