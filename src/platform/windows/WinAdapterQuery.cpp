#include "platform/windows/WinAdapterQuery.h"

#include "platform/windows/Win32.h"
// After the system headers.
#include <iphlpapi.h>

#include <algorithm>
#include <cstddef>
#include <vector>

namespace orvane::platform::windows_backend {
namespace {

// The record's texts are fixed arrays; one the system left unterminated stops at its end.
template <std::size_t N>
std::string FixedText(const char (&field)[N]) {
  return std::string(field, std::find(field, field + N, '\0'));
}

// The chain of address strings one adapter carries (its first node is inside the record).
std::vector<IpAddressNode> ReadChain(const IP_ADDR_STRING* node) {
  std::vector<IpAddressNode> nodes;
  for (; node != nullptr; node = node->Next)
    nodes.push_back({FixedText(node->IpAddress.String), FixedText(node->IpMask.String)});
  return nodes;
}

}  // namespace

AdapterQueryResult WinAdapterQuery::GetAdaptersInfo(uint32_t bufferSize) {
  AdapterQueryResult result;
  // 8-byte aligned storage: the records hold pointers.
  std::vector<uint64_t> buffer((bufferSize + 7) / 8 + 1);
  ULONG size = bufferSize;
  auto* first = bufferSize == 0 ? nullptr : reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
  result.code = ::GetAdaptersInfo(first, &size);
  if (result.code == ERROR_BUFFER_OVERFLOW) result.requiredSize = size;
  if (result.code != ERROR_SUCCESS) return result;
  for (const IP_ADAPTER_INFO* info = first; info != nullptr; info = info->Next) {
    AdapterRecord record;
    record.name = FixedText(info->AdapterName);
    record.description = FixedText(info->Description);
    record.index = info->Index;
    const std::size_t length = std::min<std::size_t>(info->AddressLength, sizeof(info->Address));
    record.hardwareAddress.assign(info->Address, info->Address + length);
    record.type = info->Type;
    record.dhcpEnabled = info->DhcpEnabled;
    record.ipAddresses = ReadChain(&info->IpAddressList);
    record.gateways = ReadChain(&info->GatewayList);
    result.adapters.push_back(std::move(record));
  }
  return result;
}

InterfaceTableResult WinAdapterQuery::GetIfTable(uint32_t bufferSize) {
  InterfaceTableResult result;
  std::vector<uint64_t> buffer((bufferSize + 7) / 8 + 1);
  ULONG size = bufferSize;
  auto* table = bufferSize == 0 ? nullptr : reinterpret_cast<MIB_IFTABLE*>(buffer.data());
  result.code = ::GetIfTable(table, &size, FALSE);
  if (result.code == ERROR_INSUFFICIENT_BUFFER) result.requiredSize = size;
  if (result.code != NO_ERROR) return result;
  // Never trust a count that would reach past the buffer the table was written into.
  constexpr std::size_t kRowsOffset = offsetof(MIB_IFTABLE, table);
  const std::size_t fits =
      bufferSize < kRowsOffset ? 0 : (bufferSize - kRowsOffset) / sizeof(MIB_IFROW);
  const std::size_t count = std::min<std::size_t>(table->dwNumEntries, fits);
  for (std::size_t i = 0; i < count; ++i)
    result.rows.push_back({table->table[i].dwIndex, table->table[i].dwOperStatus});
  return result;
}

}  // namespace orvane::platform::windows_backend
