#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "common/NetworkSecurity.h"
#include "common/StringObjectList.h"
#include "platform/InternetProbe.h"
#include "platform/SystemInfo.h"
#include "platform/WirelessLibrary.h"
#include "wireless/Event.h"
#include "wireless/InternetCheck.h"
#include "wireless/ThreadCheckInternet.h"
#include "wireless/WLanNetwork.h"
#include "wireless/WlanBuffers.h"

namespace orvane {

// The program's only door to the wireless library: the visible networks, the own ad-hoc
// network (created, deleted, joined), the library's connection notifications, and the
// Internet monitor whose result it keeps as InternetState.
//
// Threads: everything but the events runs on the UI thread. OnInternetStateChange is raised
// on the monitor thread, OnConnected / OnDisconnected on the library's notification thread;
// receivers must hand work for the UI over themselves.
class TWifiConnection {
 public:
  static constexpr const char* kDefaultSSID = "Velmora";
  // LastError when there was no wireless interface to use.
  static constexpr uint32_t kNoInterface = 999;
  // LastError when the library cannot make a WPA2 network at all (ERROR_NOT_SUPPORTED).
  static constexpr uint32_t kNotSupported = 50;
  // The longest reason text taken from the library, in UTF-16 units.
  static constexpr std::size_t kReasonUnits = 512;

  // Starts the monitor and registers for the library's notifications. The library, the probe
  // and the system must outlive the component. `checkInterval` is the monitor's full wait.
  TWifiConnection(const platform::WirelessLibrary& library, platform::IInternetProbe& probe,
                  platform::ISystemInfo& system,
                  std::chrono::milliseconds checkInterval = TThreadCheckInternet::kCheckInterval);
  // Withdraws the notification callback, then stops and awaits the monitor.
  ~TWifiConnection();
  TWifiConnection(const TWifiConnection&) = delete;
  TWifiConnection& operator=(const TWifiConnection&) = delete;

  // The own network's name; stored as given.
  const std::string& SSID() const { return ssid_; }
  void SetSSID(const std::string& ssid);

  // The own network's security; set it before the key, whose rule it decides. Changing it
  // drops a key that does not fit the new kind.
  NetworkSecurity Security() const { return security_; }
  void SetSecurity(NetworkSecurity security);

  // The own network's key, empty until one is set: a new key is taken only when, trimmed of
  // blanks and control characters, it fits the security (WEP: 5 or 13 characters; WPA2: 8 to
  // 63 printable ASCII characters); it is then stored untrimmed.
  const std::string& Key() const { return key_; }
  void SetKey(const std::string& key);

  // 0 not yet known, 1 Internet reachable, 2 not reachable.
  uint8_t InternetState() const { return internetState_.load(); }

  // Results of the last refresh: valid until the next one.
  int32_t NetworkCount() const { return networkCount_; }
  const StringObjectList<TWLanNetwork>& Networks() const { return networks_; }
  TWLanNetwork* ConnectedNetwork() const { return connectedNetwork_; }
  // The SSID of the network this machine is connected to, or empty; safe from any thread.
  std::string ConnectedSSID() const;

  // Raises OnBeforeRefresh, then rebuilds Networks from the library's lists.
  void RefreshNetworks();
  // Joins the own network if the last refresh saw it, else creates it, on the interface named
  // by interfaceGuid (GUID text, any case) when the library lists it, else on the first.
  // keepConnected: the network the card is connected to is what it shares (one card for both),
  // so it is not left.
  bool StartNetwork(const std::string& interfaceGuid = {}, bool keepConnected = false);
  // Creates the own network as StartNetwork would; deletes it from the interface it was last
  // created on, else from the first. False without an interface or when the library refuses.
  // A WPA2 network needs a library that takes the security (AddSsidEx); without it the answer
  // is "not supported".
  bool CreateNetwork(const std::string& interfaceGuid = {});
  bool DeleteNetwork();
  // What the library answered when the last refresh listed the interfaces (0: success).
  uint32_t EnumerationResult() const { return enumResult_; }
  // The first failure the library answered when the last refresh read a network list (0: none).
  uint32_t NetworkListResult() const { return listResult_; }
  // Why the last StartNetwork, CreateNetwork or DeleteNetwork failed: the library's code, or
  // kNoInterface (the enumeration's own code when that failed); 0 after a success.
  uint32_t LastError() const { return lastError_; }
  // The system's words for why that attempt failed, when the library gives them (the wireless
  // network's own reason, beyond the code); else empty.
  const std::string& LastReason() const { return lastReason_; }
  // The interface the own network was last made on (or tried to be), or empty.
  const std::string& CreatedOn() const { return createdOn_; }

  // Asks the monitor to check again at once.
  void CheckInternetNow();
  // Stores a monitor result and raises OnInternetStateChange when it changed.
  void SetInternetState(uint8_t state);

  TThreadCheckInternet& Monitor() { return *monitor_; }

  Event<const std::u16string&> OnConnected;
  Event<const std::u16string&> OnDisconnected;
  Event<const std::u16string& /*ssid*/, uint8_t /*state*/, uint8_t /*kind*/> OnNetworkFound;
  Event<uint8_t> OnInternetStateChange;
  Event<TWifiConnection&> OnBeforeRefresh;

 private:
  static void ORVANE_WLAN_STDCALL NotificationCallback(const void* record, void* context);
  void HandleNotification(const wlan::Notification& notification);
  void SetConnectedSSID(std::string ssid);
  void ReadLibraryLists();
  void AddNetwork(std::size_t interfaceSlot, const wlan::NetworkEntry& entry);
  bool IsOwnNetwork(const TWLanNetwork& network) const;
  // The identifier of the interface named by guid, else the first; none (and LastError set)
  // when there is no interface.
  std::optional<std::u16string> ChosenInterface(const std::string& guid);
  bool Succeeded(uint32_t result);
  void MakeCurrent();
  void ClearCurrent();

  const platform::WirelessLibrary& library_;
  platform::ISystemInfo& system_;

  int32_t networkCount_ = 0;
  uint32_t enumResult_ = 0;
  uint32_t listResult_ = 0;
  uint32_t lastError_ = 0;
  std::string lastReason_;
  std::string createdOn_;  // the interface the own network was last created on
  mutable std::mutex connectedSSIDLock_;
  std::string connectedSSID_;
  TWLanNetwork* connectedNetwork_ = nullptr;
  std::string ssid_ = kDefaultSSID;
  std::string key_;
  NetworkSecurity security_ = NetworkSecurity::Wpa2;
  wlan::InterfaceListBuffer interfaceList_;
  std::array<wlan::NetworkListBuffer, platform::wlan::kMaxInterfaces> networkLists_;
  std::atomic<uint8_t> internetState_{kInternetUnknown};
  StringObjectList<TWLanNetwork> networks_;
  // Last, so it is stopped before anything it may reach is destroyed.
  std::unique_ptr<TThreadCheckInternet> monitor_;
};

}  // namespace orvane
