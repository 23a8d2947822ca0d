#pragma once

// The binary contract of the wireless library: eight C functions, their buffers and the
// notification record. Each backend provides one library; components receive it as a table.

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define ORVANE_WLAN_CDECL __cdecl
#define ORVANE_WLAN_STDCALL __stdcall
#else
#define ORVANE_WLAN_CDECL
#define ORVANE_WLAN_STDCALL
#endif

namespace orvane::platform::wlan {

// Interface list: count at 0, up to 4 entries of 12 bytes from byte 8; an entry begins with
// a pointer to the interface identifier (UTF-16, owned by the library).
inline constexpr std::size_t kInterfaceListSize = 56;
inline constexpr std::size_t kInterfaceEntriesOffset = 8;
inline constexpr std::size_t kInterfaceEntrySize = 12;
inline constexpr std::size_t kMaxInterfaces = 4;

// Network list (one per interface): count at 0, up to 21 entries of 100 bytes from byte 8.
inline constexpr std::size_t kNetworkListSize = 2108;
inline constexpr std::size_t kNetworkEntriesOffset = 8;
inline constexpr std::size_t kNetworkEntrySize = 100;
inline constexpr std::size_t kMaxNetworks = 21;
inline constexpr std::size_t kSsidUnits = 33;  // UTF-16 units, NUL included
inline constexpr std::size_t kEntrySsidOffset = 0;
inline constexpr std::size_t kEntryStateOffset = 80;
inline constexpr std::size_t kEntryKindOffset = 84;
inline constexpr std::size_t kEntryValue1Offset = 92;
inline constexpr std::size_t kEntryValue2Offset = 96;

static_assert(kInterfaceEntriesOffset + kMaxInterfaces * kInterfaceEntrySize == kInterfaceListSize);
static_assert(kNetworkEntriesOffset + kMaxNetworks * kNetworkEntrySize == kNetworkListSize);
static_assert(kEntrySsidOffset + kSsidUnits * 2 <= kEntryStateOffset);
static_assert(sizeof(void*) <= kInterfaceEntrySize);

// Notification record (the Native Wifi notification layout): source at 0, code in the low
// byte at 4, then a pointer to the data block after the interface GUID and the data size.
inline constexpr std::size_t kNotificationSourceOffset = 0;
inline constexpr std::size_t kNotificationCodeOffset = 4;
inline constexpr std::size_t kNotificationDataSizeOffset = 24;  // bytes in the data block
inline constexpr std::size_t kNotificationDataOffset = sizeof(void*) == 4 ? 28 : 32;
inline constexpr std::size_t kNotificationRecordSize = kNotificationDataOffset + sizeof(void*);
// Data block: the SSID's 8-bit bytes from 520, at most 32; the reason code of a connection's
// outcome at 560 (0: it succeeded), in a block that reaches that far.
inline constexpr std::size_t kNotificationSsidOffset = 520;
inline constexpr std::size_t kNotificationSsidMax = 32;
inline constexpr std::size_t kNotificationDataBlockSize =
    kNotificationSsidOffset + 4 + kNotificationSsidMax;
inline constexpr std::size_t kNotificationReasonOffset = 560;
inline constexpr std::size_t kNotificationReasonBlockSize = kNotificationReasonOffset + 4;

inline constexpr uint32_t kCodeConnectionComplete = 10;
inline constexpr uint32_t kCodeDisconnected = 21;

// The own network's security as AddSsidEx takes it.
inline constexpr uint32_t kSecurityWep = 1;
inline constexpr uint32_t kSecurityWpa2Psk = 2;
// AddSsidEx's answer when the device cannot host a network with the security asked for
// (ERROR_DEVICE_FEATURE_NOT_SUPPORTED).
inline constexpr uint32_t kErrorSecurityNotSupported = 316;

}  // namespace orvane::platform::wlan

extern "C" {

typedef void(ORVANE_WLAN_STDCALL* OrvaneWlanCallback)(const void* record, void* context);

// The library's eight functions, and one optional one; results of 0 mean success.
struct OrvaneWirelessLibrary {
  uint32_t(ORVANE_WLAN_CDECL* EnumInterface)(void* interfaceList);
  uint32_t(ORVANE_WLAN_CDECL* GetVisibleNetworkList)(const char16_t* interfaceId,
                                                     void* networkList);
  uint32_t(ORVANE_WLAN_CDECL* AddSsid)(const char16_t* interfaceId, const char16_t* ssid,
                                       const char16_t* key);
  uint32_t(ORVANE_WLAN_CDECL* DeleteSsid)(const char16_t* interfaceId, const char16_t* ssid);
  uint32_t(ORVANE_WLAN_CDECL* Connect)(const char16_t* interfaceId, const char16_t* ssid,
                                       const char16_t* key, uint32_t kind, uint32_t value1,
                                       uint32_t value2);
  uint32_t(ORVANE_WLAN_CDECL* Disconnect)(const char16_t* interfaceId);
  void(ORVANE_WLAN_CDECL* RegisterNotification)(OrvaneWlanCallback callback);
  void(ORVANE_WLAN_CDECL* UnRegisterNotification)();
  // AddSsid with the security to use (kSecurityWep or kSecurityWpa2Psk). Optional: a library
  // from before the choice has none (null), and AddSsid always makes a WEP network.
  uint32_t(ORVANE_WLAN_CDECL* AddSsidEx)(const char16_t* interfaceId, const char16_t* ssid,
                                         const char16_t* key, uint32_t security) = nullptr;
  // Why the last join, creation or deletion of this thread failed, in the system's words: writes
  // the text (NUL-terminated, cut to `units`) and answers the system's reason code, 0 when it
  // gave none.
  // Optional: a library without it (null) reports codes only.
  uint32_t(ORVANE_WLAN_CDECL* LastReason)(char16_t* text, uint32_t units) = nullptr;
};
}

namespace orvane::platform {
using WirelessLibrary = ::OrvaneWirelessLibrary;
}
