#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/AdapterQuery.h"

namespace orvane {

// Hardware address as upper-case hex byte pairs joined by "-" ("00-1A-2B-3C-4D-5E"); empty for
// no bytes.
std::string FormatMacAddress(std::span<const uint8_t> bytes);

// One line per node of an address chain, first node included, lines joined by CR LF, no trailing
// break. Leading nodes with empty text contribute nothing.
std::string AddressListToText(const std::vector<platform::IpAddressNode>& nodes);
std::string MaskListToText(const std::vector<platform::IpAddressNode>& nodes);

// A fixed-size text field of a system record: up to its first NUL, at most maxLength characters.
std::string FixedFieldText(std::string_view field, std::size_t maxLength);

// Splits text into the entries of a string list: CR LF, CR or LF end a line; a final line
// without a break counts only when it is not empty.
std::vector<std::string> TextToLines(std::string_view text);

// The interface table shared by every adapter inventory: the size of the block its queries are
// made with (at creation, what the system asked for; grown only when the table outgrows it) and
// the rows of the last fill. The program creates one at start; it lives until the end.
class InterfaceTableBlock {
 public:
  explicit InterfaceTableBlock(platform::IAdapterQuery& query);
  InterfaceTableBlock(const InterfaceTableBlock&) = delete;
  InterfaceTableBlock& operator=(const InterfaceTableBlock&) = delete;

  uint32_t Size() const { return size_; }
  const std::vector<platform::InterfaceRow>& Rows() const { return rows_; }

 private:
  friend const InterfaceTableBlock* GetInterfaceTable(InterfaceTableBlock& block);

  // One query into the block: the system's code, and the size it asked for when too small.
  uint32_t Fill(uint32_t& requiredSize);

  platform::IAdapterQuery& query_;
  uint32_t size_ = 0;
  std::vector<platform::InterfaceRow> rows_;
};

// Fills the block from the system's interface table and returns it; null when the query fails.
// A table that has outgrown the block makes the block grow once to the size the system reports.
const InterfaceTableBlock* GetInterfaceTable(InterfaceTableBlock& block);

}  // namespace orvane
