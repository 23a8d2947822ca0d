#include "network/AdpUtils.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "common/TextFile.h"

namespace orvane {

namespace {

// Width of the address and mask fields of an address-chain node.
constexpr std::size_t kAddressFieldLength = 16;

std::string JoinNodes(const std::vector<platform::IpAddressNode>& nodes,
                      std::string platform::IpAddressNode::*field) {
  std::string text;
  for (const auto& node : nodes) {
    const std::string line = FixedFieldText(node.*field, kAddressFieldLength);
    if (text.empty()) {
      text = line;
    } else {
      text += "\r\n";
      text += line;
    }
  }
  return text;
}

}  // namespace

std::string FormatMacAddress(std::span<const uint8_t> bytes) {
  std::string text;
  for (uint8_t byte : bytes) {
    char pair[4];
    std::snprintf(pair, sizeof pair, "%02X-", static_cast<unsigned>(byte));
    text += pair;
  }
  if (!text.empty()) text.pop_back();
  return text;
}

std::string AddressListToText(const std::vector<platform::IpAddressNode>& nodes) {
  return JoinNodes(nodes, &platform::IpAddressNode::address);
}

std::string MaskListToText(const std::vector<platform::IpAddressNode>& nodes) {
  return JoinNodes(nodes, &platform::IpAddressNode::mask);
}

std::string FixedFieldText(std::string_view field, std::size_t maxLength) {
  field = field.substr(0, field.find('\0'));
  return std::string(field.substr(0, maxLength));
}

std::vector<std::string> TextToLines(std::string_view text) {
  return SplitLines(text);
}

InterfaceTableBlock::InterfaceTableBlock(platform::IAdapterQuery& query)
    : query_(query), size_(query.GetIfTable(0).requiredSize) {}

namespace {

// What a table of `rows` rows needs. An answer that claims success with more rows than the
// block holds is treated as one that says the block is too small.
uint32_t NeededSize(std::size_t rows) {
  const uint64_t size =
      platform::kInterfaceTableHeaderSize + uint64_t{platform::kInterfaceRowSize} * rows;
  return static_cast<uint32_t>(std::min<uint64_t>(size, UINT32_MAX));
}

}  // namespace

uint32_t InterfaceTableBlock::Fill(uint32_t& requiredSize) {
  platform::InterfaceTableResult result = query_.GetIfTable(size_);
  rows_.clear();
  requiredSize = result.requiredSize;
  if (result.code != platform::kErrorSuccess) return result.code;
  if (NeededSize(result.rows.size()) > size_) {
    requiredSize = NeededSize(result.rows.size());
    return platform::kErrorInsufficientBuffer;
  }
  rows_ = std::move(result.rows);
  return platform::kErrorSuccess;
}

const InterfaceTableBlock* GetInterfaceTable(InterfaceTableBlock& block) {
  uint32_t requiredSize = 0;
  uint32_t code = block.Fill(requiredSize);
  if (code == platform::kErrorInsufficientBuffer && requiredSize > block.size_) {
    block.size_ = requiredSize;
    code = block.Fill(requiredSize);
  }
  return code == platform::kErrorSuccess ? &block : nullptr;
}

}  // namespace orvane
