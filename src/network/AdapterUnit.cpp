#include "network/AdapterUnit.h"

#include <memory>
#include <string_view>
#include <utility>

#include "common/Errors.h"

namespace orvane {

namespace {

// One buffer holds this many adapter records; more need the size the system reports.
constexpr uint32_t kAdapterBufferRecords = 8;
constexpr uint32_t kAdapterBufferSize = kAdapterBufferRecords * platform::kAdapterRecordSize;

// Field widths of an adapter record.
constexpr std::size_t kAdapterNameLength = 260;
constexpr std::size_t kAdapterDescriptionLength = 132;

// Bus prefixes of physical devices' instance ids, compared case-sensitively.
constexpr std::string_view kPhysicalPrefixes[] = {"PCI", "USB", "PCMCIA"};
constexpr uint32_t kMediaSubTypeWireless = 2;

std::unique_ptr<TAdapter> AdapterFromRecord(const platform::AdapterRecord& record) {
  auto adapter = std::make_unique<TAdapter>();
  adapter->Index = record.index;
  adapter->Name = FixedFieldText(record.name, kAdapterNameLength);
  adapter->MacAddress = FormatMacAddress(record.hardwareAddress);
  adapter->AdapterType = record.type;
  adapter->DhcpEnabled = record.dhcpEnabled == 1;
  adapter->IPAddresses = TextToLines(AddressListToText(record.ipAddresses));
  adapter->IPMasks = TextToLines(MaskListToText(record.ipAddresses));
  adapter->Gateways = TextToLines(AddressListToText(record.gateways));
  adapter->Description = FixedFieldText(record.description, kAdapterDescriptionLength);
  return adapter;
}

[[noreturn]] void RaiseInvalidType(const std::string& valueName) {
  throw RegistryError("Invalid data type for '" + valueName + "'");
}

}  // namespace

TAdapterManager::TAdapterManager(platform::IAdapterQuery& query,
                                 platform::IConnectionKindSource& kinds,
                                 platform::ISystemInfo& system, InterfaceTableBlock& ifTable)
    : query_(query), kinds_(kinds), system_(system), ifTable_(ifTable) {
  LoadAdapters();
}

TAdapterManager::~TAdapterManager() = default;

void TAdapterManager::LoadAdapters() {
  platform::AdapterQueryResult result = query_.GetAdaptersInfo(kAdapterBufferSize);
  // VPN and container adapters easily make more than eight: ask once more with room for all.
  if (result.code == platform::kErrorBufferOverflow && result.requiredSize > kAdapterBufferSize)
    result = query_.GetAdaptersInfo(result.requiredSize);
  // "No data" is how the query says there is no adapter at all (every one disabled, or a machine
  // without network): an empty list, not a failure that would keep the window from opening.
  if (result.code == platform::kErrorNoData) result = {};
  if (result.code != platform::kErrorSuccess)
    throw OsError(result.code, system_.SystemErrorMessage(result.code));

  ClearObjects(&adapters_);
  adapters_.Clear();
  wiredAdapterName_.clear();
  wirelessAdapterName_.clear();
  dialUpAdapterName_.clear();

  for (const platform::AdapterRecord& record : result.adapters) {
    std::unique_ptr<TAdapter> adapter = AdapterFromRecord(record);
    const ConnectionKind kind = ReadConnectionKind(adapter->Name);
    adapter->IsPhysical = kind.IsPhysical;
    adapter->IsWireless = kind.IsWireless;
    if (adapter->IsPhysical) {
      (adapter->IsWireless ? wirelessAdapterName_ : wiredAdapterName_) = adapter->Name;
    }
    if (adapter->AdapterType == kAdapterTypePpp) dialUpAdapterName_ = adapter->Name;
    std::string text = std::to_string(adapter->Index);
    adapters_.Add(std::move(text), std::move(adapter));
  }
}

void TAdapterManager::Refresh() {
  LoadAdapters();
  UpdateOperStatus();
}

void TAdapterManager::UpdateOperStatus() {
  ifTableRead_ = GetInterfaceTable(ifTable_);
  if (ifTableRead_ == nullptr) return;
  for (const platform::InterfaceRow& row : ifTableRead_->Rows()) {
    const std::string index = std::to_string(row.index);
    for (std::size_t i = 0; i < adapters_.Count(); ++i) {
      if (adapters_.Strings(i) != index) continue;
      adapters_.Objects(i)->OperStatus = row.operStatus;
      break;
    }
  }
}

ConnectionKind TAdapterManager::ReadConnectionKind(const std::string& guid) {
  ConnectionKind kind;
  const platform::ConnectionKindFacts facts = kinds_.ReadConnectionKindFacts(guid);
  if (!facts.keyOpened) return kind;

  switch (facts.pnpInstanceId.state) {
    case platform::ValueState::Missing:
      break;
    case platform::ValueState::WrongType:
      RaiseInvalidType("PnpInstanceID");
    case platform::ValueState::Present:
      for (std::string_view prefix : kPhysicalPrefixes) {
        if (facts.pnpInstanceId.value.starts_with(prefix)) kind.IsPhysical = true;
      }
      break;
  }
  switch (facts.mediaSubType.state) {
    case platform::ValueState::Missing:
      break;
    case platform::ValueState::WrongType:
      RaiseInvalidType("MediaSubType");
    case platform::ValueState::Present:
      kind.IsWireless = facts.mediaSubType.value == kMediaSubTypeWireless;
      break;
  }
  return kind;
}

}  // namespace orvane
