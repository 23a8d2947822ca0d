#include "wireless/WifiNetwork.h"

namespace orvane {
namespace {

// The instance the library's callback reaches, and the lock that keeps it alive while a
// notification is being handled.
std::mutex currentLock;
TWifiConnection* current = nullptr;

}  // namespace

void TWifiConnection::MakeCurrent() {
  std::lock_guard lock(currentLock);
  current = this;
}

void TWifiConnection::ClearCurrent() {
  std::lock_guard lock(currentLock);
  if (current == this) current = nullptr;
}

void ORVANE_WLAN_STDCALL TWifiConnection::NotificationCallback(const void* record, void*) {
  std::lock_guard lock(currentLock);
  if (current == nullptr) return;
  if (const auto notification = wlan::ReadNotification(record)) {
    current->HandleNotification(*notification);
  }
}

void TWifiConnection::HandleNotification(const wlan::Notification& notification) {
  switch (notification.code) {
    case platform::wlan::kCodeConnectionComplete:
      // "Complete" also ends an attempt that failed; only a success reason means joined.
      if (notification.reason != 0) break;
      SetConnectedSSID(notification.ssid);
      OnConnected(system_.ToUtf16(notification.ssid));
      break;
    case platform::wlan::kCodeDisconnected:
      SetConnectedSSID({});
      OnDisconnected(system_.ToUtf16(notification.ssid));
      break;
    default:
      break;
  }
}

}  // namespace orvane
