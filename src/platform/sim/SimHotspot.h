#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/MobileHotspot.h"
#include "platform/sim/SimCallLog.h"

namespace orvane::sim {

// The simulated Mobile Hotspot, off until a test or scene turns it on (a machine without one
// takes the ad-hoc way as before). Records "QueryAdHocPairs GUID", "StartHotspot SOURCE SSID",
// "StopHotspot" and "HotspotClients"; a scripted failure makes QueryAdHocPairs answer that Win32
// code and the others that HRESULT. Safe to use from several threads.
class SimHotspot : public platform::IMobileHotspot {
 public:
  explicit SimHotspot(SimCallLog& log) : log_(log) {}

  void SetPresent(bool present);
  bool Present() const;
  // What Native Wifi lists for the adapter; an adapter without an entry lists nothing.
  void SetAdHocPairs(const std::string& interfaceGuid,
                     const std::vector<platform::AuthCipherPair>& pairs);
  // What the next starts answer (default: it starts), and the devices using it.
  void SetStartAnswer(const platform::HotspotAnswer& answer);
  void SetClients(const std::vector<platform::ConnectedDevice>& clients);
  bool Running() const;
  // The name and passphrase of the last start.
  std::string Ssid() const;
  std::string Passphrase() const;

  uint32_t QueryAdHocPairs(const std::string& interfaceGuid,
                           std::vector<platform::AuthCipherPair>& pairs) override;
  platform::HotspotAnswer Start(const std::string& sourceGuid, const std::string& ssid,
                                const std::string& passphrase) override;
  platform::HotspotAnswer Stop() override;
  platform::HResult Clients(std::vector<platform::ConnectedDevice>& devices) override;

 private:
  SimCallLog& log_;
  mutable std::mutex mutex_;
  bool present_ = false;
  bool running_ = false;
  std::map<std::string, std::vector<platform::AuthCipherPair>> pairs_;
  platform::HotspotAnswer startAnswer_;
  std::vector<platform::ConnectedDevice> clients_;
  std::string ssid_;
  std::string passphrase_;
};

}  // namespace orvane::sim
