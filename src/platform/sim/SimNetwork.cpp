#include "platform/sim/SimNetwork.h"

#include <utility>

namespace orvane::sim {

SimNetwork::SimNetwork(SimCallLog& log) : log_(log) {}

void SimNetwork::AddAdapter(platform::AdapterRecord adapter) {
  adapters_.push_back(std::move(adapter));
}

void SimNetwork::ClearAdapters() {
  adapters_.clear();
}

void SimNetwork::AddInterfaceRow(platform::InterfaceRow row) {
  rows_.push_back(row);
}

void SimNetwork::ClearInterfaceRows() {
  rows_.clear();
}

void SimNetwork::SetConnectionKindFacts(const std::string& guid,
                                        platform::ConnectionKindFacts facts) {
  kinds_[guid] = std::move(facts);
}

void SimNetwork::SetConnectionKind(const std::string& guid, const std::string& pnpInstanceId,
                                   bool wireless) {
  platform::ConnectionKindFacts facts;
  facts.keyOpened = true;
  facts.pnpInstanceId = platform::StoredText::Of(pnpInstanceId);
  if (wireless) facts.mediaSubType = platform::StoredNumber::Of(2);
  SetConnectionKindFacts(guid, std::move(facts));
}

platform::AdapterQueryResult SimNetwork::GetAdaptersInfo(uint32_t bufferSize) {
  platform::AdapterQueryResult result;
  if (auto code = log_.Record("GetAdaptersInfo " + std::to_string(bufferSize))) {
    result.code = static_cast<uint32_t>(*code);
    return result;
  }
  if (adapters_.empty()) {
    result.code = platform::kErrorNoData;
    return result;
  }
  const uint64_t required = uint64_t{platform::kAdapterRecordSize} * adapters_.size();
  if (required > bufferSize) {
    result.code = platform::kErrorBufferOverflow;
    result.requiredSize = static_cast<uint32_t>(required);
    return result;
  }
  result.adapters = adapters_;
  return result;
}

platform::InterfaceTableResult SimNetwork::GetIfTable(uint32_t bufferSize) {
  platform::InterfaceTableResult result;
  if (auto code = log_.Record("GetIfTable " + std::to_string(bufferSize))) {
    result.code = static_cast<uint32_t>(*code);
    return result;
  }
  const uint64_t required =
      platform::kInterfaceTableHeaderSize + uint64_t{platform::kInterfaceRowSize} * rows_.size();
  if (required > bufferSize) {
    result.code = platform::kErrorInsufficientBuffer;
    result.requiredSize = static_cast<uint32_t>(required);
    return result;
  }
  result.rows = rows_;
  return result;
}

platform::ConnectionKindFacts SimNetwork::ReadConnectionKindFacts(const std::string& guid) {
  if (log_.Record("ReadConnectionKindFacts " + guid)) return {};
  const auto found = kinds_.find(guid);
  return found == kinds_.end() ? platform::ConnectionKindFacts{} : found->second;
}

void SimNetwork::SetWirelessCardFacts(const std::string& guid, platform::WirelessCardFacts facts) {
  cards_[guid] = std::move(facts);
}

platform::WirelessCardFacts SimNetwork::ReadWirelessCardFacts(const std::string& guid) {
  if (log_.Record("ReadWirelessCardFacts " + guid)) return {};
  const auto found = cards_.find(guid);
  return found == cards_.end() ? platform::WirelessCardFacts{} : found->second;
}

}  // namespace orvane::sim
