#include "wireless/WlanBuffers.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace orvane::wlan {
namespace {

namespace layout = platform::wlan;

// A network list entry as the library lays it out; checked field by field against the
// contract so that a change on either side fails to compile.
struct RawNetworkEntry {
  char16_t ssid[layout::kSsidUnits];
  char16_t unused66;
  uint32_t unused68;
  uint8_t unused72[8];
  uint8_t state;
  uint8_t unused81[3];
  uint8_t kind;
  uint8_t unused85[3];
  uint32_t unused88;
  uint32_t value1;
  uint32_t value2;
};
static_assert(std::is_trivially_copyable_v<RawNetworkEntry>);
static_assert(sizeof(RawNetworkEntry) == layout::kNetworkEntrySize);
static_assert(offsetof(RawNetworkEntry, ssid) == layout::kEntrySsidOffset);
static_assert(offsetof(RawNetworkEntry, state) == layout::kEntryStateOffset);
static_assert(offsetof(RawNetworkEntry, kind) == layout::kEntryKindOffset);
static_assert(offsetof(RawNetworkEntry, value1) == layout::kEntryValue1Offset);
static_assert(offsetof(RawNetworkEntry, value2) == layout::kEntryValue2Offset);

// The head of a notification record: source, code, the interface GUID, the data size, then
// the data pointer at its natural alignment.
struct RawNotification {
  uint32_t source;
  uint32_t code;
  uint8_t interfaceGuid[16];
  uint32_t dataSize;
  const void* data;
};
static_assert(std::is_trivially_copyable_v<RawNotification>);
static_assert(offsetof(RawNotification, source) == layout::kNotificationSourceOffset);
static_assert(offsetof(RawNotification, code) == layout::kNotificationCodeOffset);
static_assert(offsetof(RawNotification, dataSize) == layout::kNotificationDataSizeOffset);
static_assert(offsetof(RawNotification, data) == layout::kNotificationDataOffset);
static_assert(sizeof(RawNotification) == layout::kNotificationRecordSize);
static_assert(layout::kNotificationSsidOffset + layout::kNotificationSsidMax <=
              layout::kNotificationDataBlockSize);

static_assert(sizeof(InterfaceListBuffer) == layout::kInterfaceListSize);
static_assert(sizeof(NetworkListBuffer) == layout::kNetworkListSize);

// Longest interface identifier read; guards against a library that leaves no terminator.
constexpr std::size_t kMaxInterfaceIdUnits = 256;

template <typename T, std::size_t N>
T ReadAt(const std::array<std::byte, N>& bytes, std::size_t offset) {
  static_assert(std::is_trivially_copyable_v<T>);
  T value;
  std::memcpy(&value, bytes.data() + offset, sizeof(T));
  return value;
}

}  // namespace

std::size_t InterfaceCount(const InterfaceListBuffer& list) {
  return std::min<std::size_t>(ReadAt<uint32_t>(list.bytes, 0), layout::kMaxInterfaces);
}

std::u16string InterfaceId(const InterfaceListBuffer& list, std::size_t index) {
  if (index >= layout::kMaxInterfaces) return {};
  const auto* id = ReadAt<const char16_t*>(
      list.bytes, layout::kInterfaceEntriesOffset + index * layout::kInterfaceEntrySize);
  if (id == nullptr) return {};
  std::size_t length = 0;
  while (length < kMaxInterfaceIdUnits && id[length] != u'\0') ++length;
  return std::u16string(id, length);
}

std::size_t NetworkCount(const NetworkListBuffer& list) {
  return std::min<std::size_t>(ReadAt<uint32_t>(list.bytes, 0), layout::kMaxNetworks);
}

NetworkEntry ReadNetworkEntry(const NetworkListBuffer& list, std::size_t index) {
  if (index >= layout::kMaxNetworks) return {};
  const auto raw = ReadAt<RawNetworkEntry>(
      list.bytes, layout::kNetworkEntriesOffset + index * layout::kNetworkEntrySize);
  const auto* end = std::find(std::begin(raw.ssid), std::end(raw.ssid), u'\0');
  return {std::u16string(std::begin(raw.ssid), end), raw.state, raw.kind, raw.value1, raw.value2};
}

std::optional<Notification> ReadNotification(const void* record) {
  if (record == nullptr) return std::nullopt;
  RawNotification raw;
  std::memcpy(&raw, record, sizeof(raw));
  if ((raw.source & 0xFFFFu) == 0) return std::nullopt;
  Notification notification{raw.code & 0xFFu, {}};
  // Only the connection notifications carry a block with an SSID; for any other code, or a
  // block shorter than the layout, the pointer leads to memory that is not ours to read.
  const bool connectionData = notification.code == layout::kCodeConnectionComplete ||
                              notification.code == layout::kCodeDisconnected;
  if (connectionData && raw.data != nullptr && raw.dataSize >= layout::kNotificationDataBlockSize) {
    const auto* ssid = static_cast<const char*>(raw.data) + layout::kNotificationSsidOffset;
    notification.ssid.assign(ssid, std::find(ssid, ssid + layout::kNotificationSsidMax, '\0'));
    // A block too short for the reason comes from a library that reports only successes.
    if (raw.dataSize >= layout::kNotificationReasonBlockSize) {
      std::memcpy(&notification.reason,
                  static_cast<const char*>(raw.data) + layout::kNotificationReasonOffset,
                  sizeof notification.reason);
    }
  }
  return notification;
}

}  // namespace orvane::wlan
