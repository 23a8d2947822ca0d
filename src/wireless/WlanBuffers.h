#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/WirelessLibrary.h"

// Reading the buffers the wireless library fills and the notification records it sends. The
// library is foreign code: every count is clamped to the layout's capacity and every pointer
// is checked before it is followed.
namespace orvane::wlan {

// Buffers handed to the library, aligned for the fields their entries carry.
struct alignas(8) InterfaceListBuffer {
  std::array<std::byte, platform::wlan::kInterfaceListSize> bytes{};
};
struct alignas(4) NetworkListBuffer {
  std::array<std::byte, platform::wlan::kNetworkListSize> bytes{};
};

// One entry of a network list, as the component reads it.
struct NetworkEntry {
  std::u16string ssid;  // up to the first NUL, at most 33 units
  uint8_t state = 0;
  uint8_t kind = 0;
  uint32_t value1 = 0;
  uint32_t value2 = 0;
};

// A connection notification the component acts on.
struct Notification {
  uint32_t code = 0;
  std::string ssid;     // 8-bit, at most 32 bytes
  uint32_t reason = 0;  // a connection's outcome: 0 when it succeeded
};

// The number of interfaces in the list, at most the list's capacity.
std::size_t InterfaceCount(const InterfaceListBuffer& list);
// The identifier of interface slot `index` (empty when the library left no pointer).
std::u16string InterfaceId(const InterfaceListBuffer& list, std::size_t index);

// The number of networks in the list, at most the list's capacity.
std::size_t NetworkCount(const NetworkListBuffer& list);
NetworkEntry ReadNetworkEntry(const NetworkListBuffer& list, std::size_t index);

// The record's code and SSID; none when the record is missing or its source's low 16 bits
// are zero. The SSID is read only for connection-complete and disconnected records whose data
// block is as large as the layout says; otherwise, as for a missing block, it is empty.
std::optional<Notification> ReadNotification(const void* record);

}  // namespace orvane::wlan
