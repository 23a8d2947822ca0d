#pragma once

#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/MobileHotspot.h"
#include "platform/SystemInfo.h"
#include "platform/windows/ComPtr.h"
#include "platform/windows/RuntimeActivation.h"

namespace orvane::platform::windows_backend {

// The Mobile Hotspot through the tethering manager of the Windows Runtime: the source's
// connection profile, its capability, the access point's name and passphrase, start and stop,
// and the client list. Every asynchronous operation is waited on for at most the bound, then
// cancelled. The manager made by a start is kept for the stop and the client list.
class TetheringHotspot : public IMobileHotspot {
 public:
  // Native Wifi's question about an adapter, apart so that tests can answer it.
  using AdHocQuery = std::function<uint32_t(const std::string&, std::vector<AuthCipherPair>&)>;
  static constexpr std::chrono::milliseconds kWaitBound{30000};
  static constexpr std::chrono::milliseconds kPollInterval{50};

  TetheringHotspot(IRuntimeActivation& runtime, ISystemInfo& system, AdHocQuery query,
                   std::chrono::milliseconds waitBound = kWaitBound);

  // Whether the system has a tethering manager a desktop program may use (Windows 10 1607 and
  // later); asked once.
  bool Present();

  uint32_t QueryAdHocPairs(const std::string& interfaceGuid,
                           std::vector<AuthCipherPair>& pairs) override;
  HotspotAnswer Start(const std::string& sourceGuid, const std::string& ssid,
                      const std::string& passphrase) override;
  HotspotAnswer Stop() override;
  HResult Clients(std::vector<ConnectedDevice>& devices) override;

 private:
  HRESULT FindProfile(const std::string& sourceGuid, ComPtr<winrt::IConnectionProfile>& profile);
  HRESULT Configure(winrt::ITetheringManager& manager, const std::string& ssid,
                    const std::string& passphrase);
  // Starts or stops, and reads the operation's result into the answer.
  void Switch(winrt::ITetheringManager& manager, bool on, HotspotAnswer& answer);
  // Waits for the operation to end, within the bound; a failure is the operation's own.
  HRESULT Wait(IInspectable* operation);
  std::string Text(HSTRING string);
  ConnectedDevice ClientOf(winrt::ITetheringClient& client);

  IRuntimeActivation& runtime_;
  ISystemInfo& system_;
  AdHocQuery query_;
  std::chrono::milliseconds waitBound_;
  std::mutex mutex_;
  std::optional<bool> present_;
  ComPtr<winrt::ITetheringManager> manager_;
};

// The GUID as "{8-4-4-4-12}" text in upper case.
std::string GuidText(const GUID& guid);
// The pairs of a WLAN_AUTH_CIPHER_PAIR_LIST as Native Wifi hands it; a list longer than its
// buffer is cut to what the buffer holds.
std::vector<AuthCipherPair> ParseAuthCipherPairs(const void* data, std::size_t size);
// Native Wifi's ad-hoc pairs of one adapter, asked through wlanapi.dll when the system has it.
uint32_t QueryNativeWifiAdHocPairs(const std::string& interfaceGuid,
                                   std::vector<AuthCipherPair>& pairs);

}  // namespace orvane::platform::windows_backend
