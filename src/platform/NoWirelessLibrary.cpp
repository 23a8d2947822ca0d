#include "platform/NoWirelessLibrary.h"

#include <cstring>

namespace orvane::platform {
namespace {

constexpr uint32_t kErrorNotSupported = 50;

uint32_t EnumInterface(void* interfaceList) {
  if (interfaceList != nullptr) std::memset(interfaceList, 0, wlan::kInterfaceListSize);
  return kErrorNotSupported;
}

uint32_t GetVisibleNetworkList(const char16_t*, void* networkList) {
  if (networkList != nullptr) std::memset(networkList, 0, wlan::kNetworkListSize);
  return kErrorNotSupported;
}

uint32_t AddSsid(const char16_t*, const char16_t*, const char16_t*) {
  return kErrorNotSupported;
}
uint32_t AddSsidEx(const char16_t*, const char16_t*, const char16_t*, uint32_t) {
  return kErrorNotSupported;
}
uint32_t DeleteSsid(const char16_t*, const char16_t*) {
  return kErrorNotSupported;
}
uint32_t Connect(const char16_t*, const char16_t*, const char16_t*, uint32_t, uint32_t, uint32_t) {
  return kErrorNotSupported;
}
uint32_t Disconnect(const char16_t*) {
  return kErrorNotSupported;
}
// No notifications ever come, so there is nothing to register.
void RegisterNotification(OrvaneWlanCallback) {}
void UnRegisterNotification() {}

constexpr WirelessLibrary kLibrary = {
    EnumInterface,        GetVisibleNetworkList,  AddSsid,  DeleteSsid, Connect, Disconnect,
    RegisterNotification, UnRegisterNotification, AddSsidEx};

}  // namespace

const WirelessLibrary& NoWirelessLibrary() {
  return kLibrary;
}

}  // namespace orvane::platform
