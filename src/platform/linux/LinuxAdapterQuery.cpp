#include "platform/linux/LinuxAdapterQuery.h"

#include <algorithm>

#include "platform/linux/InterfaceGuid.h"
#include "platform/linux/Nl80211.h"

namespace orvane::platform::linux_backend {
namespace {

constexpr std::size_t kMaxHardwareAddress = 8;
constexpr uint32_t kMediaSubTypeWireless = 2;

// A netlink failure answers with its errno: the components only tell success from failure
// and show the code.
uint32_t CodeOf(const NetlinkError& error) {
  return static_cast<uint32_t>(error.error);
}

}  // namespace

AdapterRecord AdapterRecordOf(const InterfaceView& view) {
  AdapterRecord record;
  record.name = view.guidText;
  record.description = view.facts.description;
  record.index = view.link.index;
  const auto& hardware = view.link.hardwareAddress;
  record.hardwareAddress.assign(
      hardware.begin(), hardware.begin() + static_cast<std::ptrdiff_t>(
                                               std::min(hardware.size(), kMaxHardwareAddress)));
  record.type = view.adapterType;
  record.dhcpEnabled = view.dhcp ? 1 : 0;
  for (const Ipv4Address& address : view.addresses)
    record.ipAddresses.push_back(
        {Ipv4Text(address.address), Ipv4Text(PrefixMask(address.prefixLength))});
  for (const DefaultRoute& route : view.gateways)
    record.gateways.push_back({route.gateway ? Ipv4Text(*route.gateway) : "0.0.0.0", ""});
  return record;
}

AdapterQueryResult LinuxAdapterQuery::GetAdaptersInfo(uint32_t bufferSize) {
  AdapterQueryResult result;
  std::vector<InterfaceView> interfaces;
  try {
    interfaces = ReadInterfaces(paths_);
  } catch (const NetlinkError& error) {
    result.code = CodeOf(error);
    return result;
  }
  if (interfaces.empty()) {
    result.code = kErrorNoData;
    return result;
  }
  result.requiredSize = static_cast<uint32_t>(interfaces.size()) * kAdapterRecordSize;
  if (bufferSize < result.requiredSize) {
    result.code = kErrorBufferOverflow;
    return result;
  }
  for (const InterfaceView& view : interfaces) result.adapters.push_back(AdapterRecordOf(view));
  return result;
}

InterfaceTableResult LinuxAdapterQuery::GetIfTable(uint32_t bufferSize) {
  InterfaceTableResult result;
  NetlinkSnapshot snapshot;
  try {
    snapshot = ReadNetlinkSnapshot();
  } catch (const NetlinkError& error) {
    result.code = CodeOf(error);
    return result;
  }
  result.requiredSize =
      kInterfaceTableHeaderSize + static_cast<uint32_t>(snapshot.links.size()) * kInterfaceRowSize;
  if (bufferSize < result.requiredSize) {
    result.code = kErrorInsufficientBuffer;
    return result;
  }
  for (const LinkInfo& link : snapshot.links)
    result.rows.push_back({link.index, OperStatusOf(link.flags, link.operState)});
  return result;
}

WirelessCardFacts LinuxConnectionKinds::ReadWirelessCardFacts(const std::string& guid) {
  NetlinkSnapshot snapshot;
  try {
    snapshot = ReadNetlinkSnapshot();
  } catch (const NetlinkError&) {
    return {};
  }
  for (const LinkInfo& link : snapshot.links)
    if (SameGuidText(GuidText(InterfaceGuid(link.name)), guid))
      return ReadWirelessCardOf(link.name);
  return {};
}

ConnectionKindFacts LinuxConnectionKinds::ReadConnectionKindFacts(const std::string& guid) {
  ConnectionKindFacts facts;
  NetlinkSnapshot snapshot;
  try {
    snapshot = ReadNetlinkSnapshot();
  } catch (const NetlinkError&) {
    return facts;  // as a key that cannot be opened
  }
  for (const LinkInfo& link : snapshot.links) {
    if (!SameGuidText(GuidText(InterfaceGuid(link.name)), guid)) continue;
    InterfaceFacts interfaceFacts = ReadInterfaceFacts(paths_.sysfsNet, link.name, link.kind);
    facts.keyOpened = true;
    facts.pnpInstanceId = StoredText::Of(interfaceFacts.pnpInstanceId);
    if (interfaceFacts.wireless) facts.mediaSubType = StoredNumber::Of(kMediaSubTypeWireless);
    break;
  }
  return facts;
}

}  // namespace orvane::platform::linux_backend
