#include "platform/WlanRecords.h"

#include <algorithm>
#include <cstring>

namespace orvane::platform::wlan {
namespace {

template <typename T>
void WriteAt(void* buffer, std::size_t offset, const T& value) {
  std::memcpy(static_cast<std::byte*>(buffer) + offset, &value, sizeof(T));
}

}  // namespace

void WriteInterfaceList(void* interfaceList, const std::vector<const char16_t*>& ids) {
  std::memset(interfaceList, 0, kInterfaceListSize);
  const std::size_t count = std::min(ids.size(), kMaxInterfaces);
  WriteAt(interfaceList, 0, static_cast<uint32_t>(count));
  for (std::size_t i = 0; i < count; ++i)
    WriteAt(interfaceList, kInterfaceEntriesOffset + i * kInterfaceEntrySize, ids[i]);
}

void WriteNetworkList(void* networkList, const std::vector<NetworkListEntry>& entries) {
  std::memset(networkList, 0, kNetworkListSize);
  const std::size_t count = std::min(entries.size(), kMaxNetworks);
  WriteAt(networkList, 0, static_cast<uint32_t>(count));
  for (std::size_t i = 0; i < count; ++i) {
    const NetworkListEntry& network = entries[i];
    const std::size_t entry = kNetworkEntriesOffset + i * kNetworkEntrySize;
    const std::size_t units = std::min(network.ssid.size(), kSsidUnits - 1);
    std::memcpy(static_cast<std::byte*>(networkList) + entry + kEntrySsidOffset,
                network.ssid.data(), units * sizeof(char16_t));
    WriteAt(networkList, entry + kEntryStateOffset, network.state);
    WriteAt(networkList, entry + kEntryKindOffset, network.kind);
    WriteAt(networkList, entry + kEntryValue1Offset, network.value1);
    WriteAt(networkList, entry + kEntryValue2Offset, network.value2);
  }
}

NotificationRecord::NotificationRecord(uint32_t source, uint32_t code,
                                       const std::optional<std::string>& ssid, uint32_t reason) {
  WriteAt(record_.data(), kNotificationSourceOffset, source);
  WriteAt(record_.data(), kNotificationCodeOffset, code);
  if (!ssid) return;
  const std::size_t length = std::min(ssid->size(), kNotificationSsidMax);
  WriteAt(data_.data(), kNotificationSsidOffset - 4, static_cast<uint32_t>(length));
  std::memcpy(data_.data() + kNotificationSsidOffset, ssid->data(), length);
  WriteAt(data_.data(), kNotificationReasonOffset, reason);
  WriteAt(record_.data(), kNotificationDataSizeOffset, static_cast<uint32_t>(data_.size()));
  WriteAt(record_.data(), kNotificationDataOffset, static_cast<const void*>(data_.data()));
}

}  // namespace orvane::platform::wlan
