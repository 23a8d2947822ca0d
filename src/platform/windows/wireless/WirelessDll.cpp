// wireless.dll over Native Wifi: the eight functions of the wireless library's C interface,
// and AddSsidEx that chooses the own network's security.

// clang-format off
#include <windows.h>
#include <objbase.h>
#include <wlanapi.h>
// clang-format on

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "platform/WirelessLibrary.h"
#include "platform/windows/wireless/WlanAttempt.h"
#include "platform/windows/wireless/WlanProfile.h"

namespace wlan = orvane::platform::wlan;
using orvane::wireless_dll::ConnectionWatch;
using orvane::wireless_dll::KindOfBssType;
using orvane::wireless_dll::ProfileXml;

namespace {

constexpr DWORD kClientVersion = 2;  // Windows Vista and later
constexpr uint32_t kNotConnected = 1;
constexpr DWORD kNetworkConnected = 0x00000001;  // WLAN_AVAILABLE_NETWORK_CONNECTED

// The library's state: one Native Wifi client, and the identifier texts the last interface
// list points to (they stay valid until the next one).
struct Library {
  std::mutex lock;
  HANDLE client = nullptr;
  std::array<std::u16string, wlan::kMaxInterfaces> interfaceIds;
  bool notificationsRegistered = false;
  // Names of the listed networks whose bytes are not UTF-8, by the text handed out for them:
  // such a network is joined by its bytes. Refilled with every listing.
  std::map<std::u16string, std::string> rawSsids;
};

Library& State() {
  static Library library;
  return library;
}

std::atomic<OrvaneWlanCallback> g_callback{nullptr};

// Joins and creations wait for their outcome one at a time, outside the library's lock so
// listing networks is not held up meanwhile.
std::mutex g_attemptLock;
ConnectionWatch g_watch;

// Why this thread's last join or creation failed: Native Wifi's reason code and its text.
thread_local uint32_t t_lastReason = 0;
thread_local std::u16string t_lastReasonText;

void ForgetReason() {
  t_lastReason = 0;
  t_lastReasonText.clear();
}

// Opens the client on first use; 0 or the Win32 error.
DWORD EnsureClient(Library& library) {
  if (library.client != nullptr) return ERROR_SUCCESS;
  DWORD negotiated = 0;
  return WlanOpenHandle(kClientVersion, nullptr, &negotiated, &library.client);
}

bool ParseGuid(const char16_t* text, GUID& guid) {
  if (text == nullptr) return false;
  return SUCCEEDED(IIDFromString(reinterpret_cast<LPCOLESTR>(text), &guid));
}

const wchar_t* Wide(const char16_t* text) {
  return reinterpret_cast<const wchar_t*>(text);
}

// The SSID's bytes as UTF-16: UTF-8 when they are that, else the system code page.
std::u16string SsidText(const DOT11_SSID& ssid) {
  const auto* bytes = reinterpret_cast<const char*>(ssid.ucSSID);
  const int length = static_cast<int>(std::min<ULONG>(ssid.uSSIDLength, DOT11_SSID_MAX_LENGTH));
  if (length == 0) return {};
  UINT codePage = CP_UTF8;
  int units = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, length, nullptr, 0);
  if (units <= 0) {
    codePage = CP_ACP;
    units = MultiByteToWideChar(codePage, 0, bytes, length, nullptr, 0);
  }
  if (units <= 0) return {};
  std::u16string text(static_cast<std::size_t>(units), u'\0');
  MultiByteToWideChar(codePage, codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0, bytes, length,
                      reinterpret_cast<wchar_t*>(text.data()), units);
  return text;
}

std::u16string GuidText(const GUID& guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return reinterpret_cast<const char16_t*>(text);
}

// The system's words for a Native Wifi reason code; its number when it has none.
std::u16string ReasonText(DWORD reason) {
  // Looked up, not imported: a system whose wlanapi lacks it still loads the library.
  using ReasonCodeToString = DWORD(WINAPI*)(DWORD, DWORD, PWCHAR, PVOID);
  static const auto toString = reinterpret_cast<ReasonCodeToString>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"wlanapi.dll"), "WlanReasonCodeToString")));
  wchar_t text[512] = {};
  if (toString != nullptr && toString(reason, 512, text, nullptr) == ERROR_SUCCESS &&
      text[0] != L'\0')
    return reinterpret_cast<const char16_t*>(text);
  std::u16string number = u"Native Wifi reason code ";
  for (const char digit : std::to_string(reason)) number += static_cast<char16_t>(digit);
  return number;
}

template <typename T>
void Put(void* buffer, std::size_t offset, T value) {
  std::memcpy(static_cast<char*>(buffer) + offset, &value, sizeof(value));
}

// The bytes to join a listed network by when its name is not UTF-8; else empty.
std::string RawSsidOf(const Library& library, const char16_t* ssid) {
  const auto found = library.rawSsids.find(ssid);
  return found == library.rawSsids.end() ? std::string() : found->second;
}

// Native Wifi's notification thread: connection complete and disconnected are handed on as
// the record Native Wifi gave, which is the layout the callback reads.
void WINAPI OnNotification(PWLAN_NOTIFICATION_DATA data, PVOID) {
  if (data == nullptr || data->NotificationSource != WLAN_NOTIFICATION_SOURCE_ACM) return;
  if ((data->NotificationCode == wlan_notification_acm_connection_complete ||
       data->NotificationCode == wlan_notification_acm_connection_attempt_fail) &&
      data->pData != nullptr && data->dwDataSize >= sizeof(WLAN_CONNECTION_NOTIFICATION_DATA)) {
    const auto* connection = static_cast<const WLAN_CONNECTION_NOTIFICATION_DATA*>(data->pData);
    g_watch.Notify(data->NotificationCode, GuidText(data->InterfaceGuid),
                   reinterpret_cast<const char16_t*>(connection->strProfileName),
                   connection->wlanReasonCode);
  }
  const OrvaneWlanCallback callback = g_callback.load();
  if (callback == nullptr) return;
  if (data->NotificationCode != wlan::kCodeConnectionComplete &&
      data->NotificationCode != wlan::kCodeDisconnected)
    return;
  callback(data, nullptr);
}

// Native Wifi notifications are asked for only once an interface exists to send them, so a
// machine without wireless makes no more calls than opening and listing. A join needs them
// even without the component's callback: its outcome comes that way.
void RegisterWithNativeWifi(Library& library) {
  if (library.notificationsRegistered) return;
  library.notificationsRegistered =
      WlanRegisterNotification(library.client, WLAN_NOTIFICATION_SOURCE_ACM, TRUE, OnNotification,
                               nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

// Stores the profile, connects with it and waits for Native Wifi's outcome. The library's
// lock is held only while it is called, not while the outcome is awaited.
DWORD ConnectWithProfile(Library& library, std::unique_lock<std::mutex>& guard, const GUID& id,
                         const char16_t* ssid, const std::u16string& xml, DOT11_BSS_TYPE bssType) {
  orvane::wireless_dll::AttemptCalls calls;
  calls.setProfile = [&](uint32_t& reason) {
    DWORD code = 0;
    const DWORD result =
        WlanSetProfile(library.client, &id, 0, Wide(xml.c_str()), nullptr, TRUE, nullptr, &code);
    reason = code;
    return result;
  };
  calls.connect = [&] {
    RegisterWithNativeWifi(library);
    WLAN_CONNECTION_PARAMETERS parameters{};
    parameters.wlanConnectionMode = wlan_connection_mode_profile;
    parameters.strProfile = Wide(ssid);
    parameters.dot11BssType = bssType;
    const DWORD result = WlanConnect(library.client, &id, &parameters, nullptr);
    guard.unlock();
    return result;
  };
  const auto result = orvane::wireless_dll::RunAttempt(g_watch, GuidText(id), ssid, calls,
                                                       orvane::wireless_dll::kAttemptTimeout);
  t_lastReason = result.reason;
  t_lastReasonText =
      result.reason != orvane::wireless_dll::kReasonSuccess ? ReasonText(result.reason) : u"";
  return result.code;
}

// False only when the adapter says it cannot run an ad-hoc network with WPA2-PSK and AES; an
// adapter that does not answer the question is left to try.
bool AdHocWpa2Possible(Library& library, const GUID& id) {
  DWORD size = 0;
  PVOID data = nullptr;
  if (WlanQueryInterface(library.client, &id, wlan_intf_opcode_supported_adhoc_auth_cipher_pairs,
                         nullptr, &size, &data, nullptr) != ERROR_SUCCESS ||
      data == nullptr)
    return true;
  const auto* pairs = static_cast<const WLAN_AUTH_CIPHER_PAIR_LIST*>(data);
  // The pairs follow the count; MinGW declares one element, the SDK an array of one.
  const auto* list = reinterpret_cast<const DOT11_AUTH_CIPHER_PAIR*>(&pairs->pAuthCipherPairList);
  bool found = false;
  for (DWORD i = 0; i < pairs->dwNumberOfItems && !found; ++i) {
    found = list[i].AuthAlgoId == DOT11_AUTH_ALGO_RSNA_PSK &&
            list[i].CipherAlgoId == DOT11_CIPHER_ALGO_CCMP;
  }
  WlanFreeMemory(data);
  return found;
}

// Creates and joins the own ad-hoc network with WPA2-PSK (AES) or WEP.
uint32_t HostNetwork(const char16_t* interfaceId, const char16_t* ssid, const char16_t* key,
                     bool wpa2) {
  ForgetReason();
  GUID id;
  if (!ParseGuid(interfaceId, id) || ssid == nullptr || key == nullptr)
    return ERROR_INVALID_PARAMETER;
  Library& library = State();
  std::lock_guard attempt(g_attemptLock);
  std::unique_lock guard(library.lock);
  const DWORD result = EnsureClient(library);
  if (result != ERROR_SUCCESS) return result;
  if (wpa2 && !AdHocWpa2Possible(library, id)) return wlan::kErrorSecurityNotSupported;
  // The profile would be stored with the name cut or refused without saying why.
  if (orvane::wireless_dll::Utf8Length(ssid) > orvane::wireless_dll::kMaxSsidBytes)
    return ERROR_INVALID_PARAMETER;
  using orvane::wireless_dll::kAuthRsnaPsk;
  using orvane::wireless_dll::kCipherCcmp;
  const std::u16string xml = ProfileXml(ssid, key, orvane::wireless_dll::kKindAdHoc,
                                        wpa2 ? kAuthRsnaPsk : 0, wpa2 ? kCipherCcmp : 0);
  return ConnectWithProfile(library, guard, id, ssid, xml, dot11_BSS_type_independent);
}

}  // namespace

extern "C" {

__declspec(dllexport) uint32_t EnumInterface(void* interfaceList) {
  if (interfaceList == nullptr) return ERROR_INVALID_PARAMETER;
  std::memset(interfaceList, 0, wlan::kInterfaceListSize);
  Library& library = State();
  std::lock_guard guard(library.lock);
  DWORD result = EnsureClient(library);
  if (result != ERROR_SUCCESS) return result;
  PWLAN_INTERFACE_INFO_LIST list = nullptr;
  result = WlanEnumInterfaces(library.client, nullptr, &list);
  if (result != ERROR_SUCCESS) return result;
  const uint32_t count =
      list == nullptr ? 0 : std::min<uint32_t>(list->dwNumberOfItems, wlan::kMaxInterfaces);
  for (std::u16string& id : library.interfaceIds) id.clear();
  library.rawSsids.clear();
  for (uint32_t i = 0; i < count; ++i) {
    wchar_t text[40] = {};
    StringFromGUID2(list->InterfaceInfo[i].InterfaceGuid, text, 40);
    library.interfaceIds[i] = reinterpret_cast<const char16_t*>(text);
    Put(interfaceList, wlan::kInterfaceEntriesOffset + i * wlan::kInterfaceEntrySize,
        library.interfaceIds[i].c_str());
  }
  Put(interfaceList, 0, count);
  if (list != nullptr) WlanFreeMemory(list);
  if (count > 0) RegisterWithNativeWifi(library);
  return ERROR_SUCCESS;
}

__declspec(dllexport) uint32_t
    GetVisibleNetworkList(const char16_t* interfaceId, void* networkList) {
  // Every argument is checked before the buffer is written: a caller whose arguments are wrong
  // may also have handed a buffer of another size.
  GUID id;
  if (networkList == nullptr || !ParseGuid(interfaceId, id)) return ERROR_INVALID_PARAMETER;
  std::memset(networkList, 0, wlan::kNetworkListSize);
  Library& library = State();
  std::lock_guard guard(library.lock);
  DWORD result = EnsureClient(library);
  if (result != ERROR_SUCCESS) return result;
  PWLAN_AVAILABLE_NETWORK_LIST list = nullptr;
  result = WlanGetAvailableNetworkList(library.client, &id, 0, nullptr, &list);
  if (result != ERROR_SUCCESS) return result;
  uint32_t count = 0;
  for (DWORD i = 0; i < list->dwNumberOfItems && count < wlan::kMaxNetworks; ++i) {
    const WLAN_AVAILABLE_NETWORK& network = list->Network[i];
    const std::size_t entry = wlan::kNetworkEntriesOffset + count * wlan::kNetworkEntrySize;
    std::u16string ssid = SsidText(network.dot11Ssid);
    ssid.resize(std::min(ssid.size(), wlan::kSsidUnits - 1));
    const std::string bytes(reinterpret_cast<const char*>(network.dot11Ssid.ucSSID),
                            std::min<ULONG>(network.dot11Ssid.uSSIDLength, DOT11_SSID_MAX_LENGTH));
    if (!orvane::wireless_dll::IsUtf8(bytes)) library.rawSsids[ssid] = bytes;
    std::memcpy(static_cast<char*>(networkList) + entry + wlan::kEntrySsidOffset, ssid.data(),
                ssid.size() * sizeof(char16_t));
    const bool connected = (network.dwFlags & kNetworkConnected) != 0;
    Put<uint8_t>(networkList, entry + wlan::kEntryStateOffset, connected ? 0 : kNotConnected);
    Put<uint8_t>(networkList, entry + wlan::kEntryKindOffset,
                 static_cast<uint8_t>(KindOfBssType(network.dot11BssType)));
    Put<uint32_t>(networkList, entry + wlan::kEntryValue1Offset, network.dot11DefaultAuthAlgorithm);
    Put<uint32_t>(networkList, entry + wlan::kEntryValue2Offset,
                  network.dot11DefaultCipherAlgorithm);
    ++count;
  }
  Put(networkList, 0, count);
  WlanFreeMemory(list);
  return ERROR_SUCCESS;
}

__declspec(dllexport) uint32_t
    AddSsid(const char16_t* interfaceId, const char16_t* ssid, const char16_t* key) {
  return HostNetwork(interfaceId, ssid, key, false);
}

__declspec(dllexport) uint32_t AddSsidEx(const char16_t* interfaceId, const char16_t* ssid,
                                         const char16_t* key, uint32_t security) {
  ForgetReason();
  if (security != wlan::kSecurityWep && security != wlan::kSecurityWpa2Psk)
    return ERROR_INVALID_PARAMETER;
  return HostNetwork(interfaceId, ssid, key, security == wlan::kSecurityWpa2Psk);
}

__declspec(dllexport) uint32_t DeleteSsid(const char16_t* interfaceId, const char16_t* ssid) {
  ForgetReason();  // a failed delete must not be explained by an earlier join's reason
  GUID id;
  if (!ParseGuid(interfaceId, id) || ssid == nullptr) return ERROR_INVALID_PARAMETER;
  Library& library = State();
  std::lock_guard guard(library.lock);
  const DWORD result = EnsureClient(library);
  if (result != ERROR_SUCCESS) return result;
  return WlanDeleteProfile(library.client, &id, Wide(ssid), nullptr);
}

__declspec(dllexport) uint32_t
    Connect(const char16_t* interfaceId, const char16_t* ssid, const char16_t* key, uint32_t kind,
            uint32_t value1, uint32_t value2) {
  ForgetReason();
  GUID id;
  if (!ParseGuid(interfaceId, id) || ssid == nullptr) return ERROR_INVALID_PARAMETER;
  Library& library = State();
  std::lock_guard attempt(g_attemptLock);
  std::unique_lock guard(library.lock);
  const DWORD result = EnsureClient(library);
  if (result != ERROR_SUCCESS) return result;
  const std::u16string xml =
      ProfileXml(ssid, key == nullptr ? u"" : key, kind, value1, value2, RawSsidOf(library, ssid));
  if (xml.empty()) return ERROR_NOT_SUPPORTED;
  const DOT11_BSS_TYPE bssType = kind == orvane::wireless_dll::kKindAdHoc
                                     ? dot11_BSS_type_independent
                                     : dot11_BSS_type_infrastructure;
  return ConnectWithProfile(library, guard, id, ssid, xml, bssType);
}

__declspec(dllexport) uint32_t Disconnect(const char16_t* interfaceId) {
  GUID id;
  if (!ParseGuid(interfaceId, id)) return ERROR_INVALID_PARAMETER;
  Library& library = State();
  std::lock_guard guard(library.lock);
  const DWORD result = EnsureClient(library);
  if (result != ERROR_SUCCESS) return result;
  return WlanDisconnect(library.client, &id, nullptr);
}

__declspec(dllexport) void RegisterNotification(OrvaneWlanCallback callback) {
  g_callback.store(callback);
  Library& library = State();
  std::lock_guard guard(library.lock);
  // With an interface already listed, notifications start now; else with the first one.
  if (library.client != nullptr && !library.interfaceIds[0].empty())
    RegisterWithNativeWifi(library);
}

__declspec(dllexport) uint32_t LastReason(char16_t* text, uint32_t units) {
  if (text != nullptr && units > 0) {
    const std::size_t length = std::min<std::size_t>(t_lastReasonText.size(), units - 1);
    std::memcpy(text, t_lastReasonText.data(), length * sizeof(char16_t));
    text[length] = u'\0';
  }
  return t_lastReason;
}

__declspec(dllexport) void UnRegisterNotification() {
  // A join still waiting for its outcome gets none once the client is closed.
  g_watch.Cancel();
  Library& library = State();
  std::lock_guard guard(library.lock);
  g_callback.store(nullptr);
  // The component's last call: the client goes too (a later call opens a new one). Closing it
  // here, not when the library is unloaded, keeps Native Wifi's calls out of the loader lock.
  if (library.client != nullptr) {
    WlanCloseHandle(library.client, nullptr);  // also ends its notifications
    library.client = nullptr;
  }
  library.notificationsRegistered = false;
  for (std::u16string& id : library.interfaceIds) id.clear();
}

}  // extern "C"
