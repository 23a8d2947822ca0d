#include "platform/windows/WinNeighbourTable.h"

#include "platform/windows/Win32.h"
// After the system headers. The neighbour table's declarations come with Vista, later than the
// systems the program starts on, so they are included directly rather than through IP Helper's
// header, which leaves them out for those systems.
// clang-format off
#include <ws2tcpip.h>
#include <iphlpapi.h>
#include <netioapi.h>
// clang-format on

#include <algorithm>
#include <memory>
#include <string>

#include "platform/windows/NeighbourFilter.h"
#include "platform/windows/ProcAddress.h"

namespace orvane::platform::windows_backend {
namespace {

static_assert(static_cast<int>(NeighbourState::kUnreachable) == NlnsUnreachable);
static_assert(static_cast<int>(NeighbourState::kIncomplete) == NlnsIncomplete);
static_assert(static_cast<int>(NeighbourState::kProbe) == NlnsProbe);
static_assert(static_cast<int>(NeighbourState::kDelay) == NlnsDelay);
static_assert(static_cast<int>(NeighbourState::kStale) == NlnsStale);
static_assert(static_cast<int>(NeighbourState::kReachable) == NlnsReachable);
static_assert(static_cast<int>(NeighbourState::kPermanent) == NlnsPermanent);

// IP Helper loaded from the system folder by its full path, never from the search path, with
// the four functions this needs.
class IpHelper {
 public:
  IpHelper() {
    char folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    module_ = ::LoadLibraryA((std::string(folder, length) + "\\iphlpapi.dll").c_str());
    if (module_ == nullptr) return;
    complete_ = FindProc(module_, "ConvertInterfaceGuidToLuid", convertGuidToLuid) &&
                FindProc(module_, "GetIpNetTable2", getIpNetTable2) &&
                FindProc(module_, "GetUnicastIpAddressTable", getUnicastIpAddressTable) &&
                FindProc(module_, "FreeMibTable", freeMibTable);
  }
  ~IpHelper() {
    if (module_ != nullptr) ::FreeLibrary(module_);
  }
  IpHelper(const IpHelper&) = delete;
  IpHelper& operator=(const IpHelper&) = delete;

  bool Complete() const { return complete_; }

  decltype(&::ConvertInterfaceGuidToLuid) convertGuidToLuid = nullptr;
  decltype(&::GetIpNetTable2) getIpNetTable2 = nullptr;
  decltype(&::GetUnicastIpAddressTable) getUnicastIpAddressTable = nullptr;
  decltype(&::FreeMibTable) freeMibTable = nullptr;

 private:
  HMODULE module_ = nullptr;
  bool complete_ = false;
};

// Frees a table IP Helper allocated, with IP Helper's own call.
struct MibTableFree {
  decltype(&::FreeMibTable) free;
  void operator()(void* table) const { free(table); }
};
template <typename Table>
using MibTable = std::unique_ptr<Table, MibTableFree>;

uint32_t HostOrder(const IN_ADDR& address) {
  const auto& b = address.S_un.S_un_b;
  return static_cast<uint32_t>(b.s_b1) << 24 | static_cast<uint32_t>(b.s_b2) << 16 |
         static_cast<uint32_t>(b.s_b3) << 8 | b.s_b4;
}

HRESULT ReadNeighbours(const IpHelper& ipHelper, std::vector<NeighbourRow>& rows) {
  MIB_IPNET_TABLE2* raw = nullptr;
  const DWORD code = ipHelper.getIpNetTable2(AF_INET, &raw);
  const MibTable<MIB_IPNET_TABLE2> table(raw, {ipHelper.freeMibTable});
  if (code == ERROR_NOT_FOUND) return S_OK;  // an empty table
  if (code != NO_ERROR) return HRESULT_FROM_WIN32(code);
  if (!table) return E_POINTER;
  for (ULONG i = 0; i < table->NumEntries; ++i) {
    const MIB_IPNET_ROW2& entry = table->Table[i];
    if (entry.Address.si_family != AF_INET) continue;
    const ULONG length = std::min<ULONG>(entry.PhysicalAddressLength, IF_MAX_PHYS_ADDRESS_LENGTH);
    rows.push_back({entry.InterfaceLuid.Value, HostOrder(entry.Address.Ipv4.sin_addr),
                    std::vector<uint8_t>(entry.PhysicalAddress, entry.PhysicalAddress + length),
                    static_cast<NeighbourState>(entry.State)});
  }
  return S_OK;
}

// The interface's own IPv4 subnets, so their broadcast addresses are not taken for devices.
// Without them the other rules still hold, so a failure here leaves them unknown, not an error.
std::vector<InterfaceSubnet> ReadSubnets(const IpHelper& ipHelper, uint64_t interfaceLuid) {
  std::vector<InterfaceSubnet> subnets;
  MIB_UNICASTIPADDRESS_TABLE* raw = nullptr;
  const DWORD code = ipHelper.getUnicastIpAddressTable(AF_INET, &raw);
  const MibTable<MIB_UNICASTIPADDRESS_TABLE> table(raw, {ipHelper.freeMibTable});
  if (code != NO_ERROR || !table) return subnets;
  for (ULONG i = 0; i < table->NumEntries; ++i) {
    const MIB_UNICASTIPADDRESS_ROW& entry = table->Table[i];
    if (entry.Address.si_family != AF_INET || entry.InterfaceLuid.Value != interfaceLuid) continue;
    subnets.push_back({HostOrder(entry.Address.Ipv4.sin_addr), entry.OnLinkPrefixLength});
  }
  return subnets;
}

}  // namespace

HResult ListNeighbourDevices(const Guid& interfaceGuid, std::vector<ConnectedDevice>& devices) {
  devices.clear();
  const IpHelper ipHelper;
  if (!ipHelper.Complete()) return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);

  GUID guid{};
  guid.Data1 = interfaceGuid.data1;
  guid.Data2 = interfaceGuid.data2;
  guid.Data3 = interfaceGuid.data3;
  std::copy(interfaceGuid.data4.begin(), interfaceGuid.data4.end(), guid.Data4);
  NET_LUID luid{};
  const DWORD converted = ipHelper.convertGuidToLuid(&guid, &luid);
  if (converted != NO_ERROR) return HRESULT_FROM_WIN32(converted);

  std::vector<NeighbourRow> rows;
  const HRESULT hr = ReadNeighbours(ipHelper, rows);
  if (FAILED(hr)) return hr;
  devices = DevicesOnInterface(rows, luid.Value, ReadSubnets(ipHelper, luid.Value));
  return S_OK;
}

}  // namespace orvane::platform::windows_backend
