#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WirelessLibrary.h"

// Filling the wireless library's buffers and notification records: what every backend's
// library writes, in the layouts the component reads.
namespace orvane::platform::wlan {

// One entry of a network list as a library reports it.
struct NetworkListEntry {
  std::u16string ssid;  // cut to 32 units so the terminating NUL fits
  uint8_t state = 1;
  uint8_t kind = 3;
  uint32_t value1 = 0;
  uint32_t value2 = 0;
};

// Zero-fills the list and writes the identifiers (at most 4); the texts must stay alive
// until the next enumeration.
void WriteInterfaceList(void* interfaceList, const std::vector<const char16_t*>& ids);
// Zero-fills the list and writes the entries (at most 21).
void WriteNetworkList(void* networkList, const std::vector<NetworkListEntry>& entries);

// A notification record with its data block, as the Native Wifi layout has them; without an
// SSID the record carries no data block.
class NotificationRecord {
 public:
  NotificationRecord(uint32_t source, uint32_t code, const std::optional<std::string>& ssid,
                     uint32_t reason = 0);
  NotificationRecord(const NotificationRecord&) = delete;
  NotificationRecord& operator=(const NotificationRecord&) = delete;
  const void* Data() const { return record_.data(); }

 private:
  alignas(8) std::array<std::byte, kNotificationRecordSize> record_{};
  alignas(8) std::array<std::byte, kNotificationReasonBlockSize> data_{};
};

// The notification source both libraries report (the auto-configuration module).
inline constexpr uint32_t kSourceAcm = 8;

}  // namespace orvane::platform::wlan
