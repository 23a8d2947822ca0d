#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/WirelessLibrary.h"
#include "platform/WlanRecords.h"
#include "platform/sim/SimCallLog.h"

namespace orvane::sim {

// One network the simulated radio sees on an interface.
struct SimVisibleNetwork {
  std::u16string ssid;
  uint8_t state = 1;  // 0: this machine is connected to it
  uint8_t kind = 3;   // 1: a WEP network (what older versions created); 2: WPA; 3: open
  uint32_t value1 = 0;
  uint32_t value2 = 0;
  std::u16string key;
};

// The simulated wireless radio behind the wireless library's C table.
//
// The table holds plain function pointers with no context argument, so its functions reach
// the radio through one process-wide active radio: a radio becomes active when constructed
// and stops being so when destroyed, after any library call already inside it has returned.
// Radios may follow one another, but only one exists at a time; with none, the functions
// answer kErrorNoRadio and do nothing.
//
// Every library call is recorded in the log (names as in the table, arguments as UTF-8) and
// can be scripted to fail: a failing call answers the scripted code and changes nothing; a
// failing RegisterNotification registers nothing, a failing UnRegisterNotification leaves the
// callback in place. Notifications are delivered from the radio's own thread; once
// UnRegisterNotification has withdrawn the callback it is not running and never runs again.
// A callback must not call UnRegisterNotification itself.
class SimRadio {
 public:
  static constexpr uint32_t kErrorListFull = 8;
  static constexpr uint32_t kErrorInvalidParameter = 87;
  static constexpr uint32_t kErrorNoRadio = 1062;
  static constexpr uint32_t kErrorNotFound = 1168;
  // The notification source the radio reports (the auto-configuration module).
  static constexpr uint32_t kSourceAcm = platform::wlan::kSourceAcm;
  // The kinds the radio gives a network it hosts, and the key management a WPA2 one
  // announces (pre-shared key over RSN) in value2.
  static constexpr uint8_t kKindWep = 1;
  static constexpr uint8_t kKindWpa = 2;
  static constexpr uint32_t kRsnPsk = 0x100;

  // Throws std::logic_error while another radio exists.
  explicit SimRadio(SimCallLog& log);
  ~SimRadio();
  SimRadio(const SimRadio&) = delete;
  SimRadio& operator=(const SimRadio&) = delete;

  // The library table; it reaches whichever radio is active.
  static const OrvaneWirelessLibrary& Library();

  // Scripting the radio. Throw std::length_error past 4 interfaces or 21 networks on one
  // interface, std::invalid_argument for an unknown or repeated interface.
  void AddInterface(const std::u16string& id);
  void AddNetwork(const std::u16string& interfaceId, SimVisibleNetwork network);
  std::vector<SimVisibleNetwork> Networks(const std::u16string& interfaceId) const;

  // Queues a notification as the library would send it; without `ssid` the record carries
  // no data block.
  void SendNotification(uint32_t source, uint32_t code, std::optional<std::string> ssid,
                        uint32_t reason = 0);
  // The words the library gives (LastReason) for a failed join or creation; empty: none.
  void SetFailureReason(std::u16string text);
  // True once every queued notification has been delivered or dropped.
  bool WaitForDeliveries(std::chrono::milliseconds bound);

 private:
  friend struct SimRadioLibrary;

  struct Interface {
    std::u16string id;
    std::vector<SimVisibleNetwork> networks;
    std::vector<std::u16string> hosted;  // names of the networks this radio made
  };
  struct Pending {
    uint32_t source;
    uint32_t code;
    std::optional<std::string> ssid;
    uint32_t reason;
  };

  uint32_t EnumInterface(void* interfaceList);
  uint32_t GetVisibleNetworkList(const char16_t* interfaceId, void* networkList);
  uint32_t AddSsid(const char16_t* interfaceId, const char16_t* ssid, const char16_t* key);
  uint32_t AddSsidEx(const char16_t* interfaceId, const char16_t* ssid, const char16_t* key,
                     uint32_t security);
  static bool IsHosted(const Interface& interface, const SimVisibleNetwork& network,
                       const std::u16string& name);
  // Hosts (or re-keys) the network of that name on the interface and connects to it.
  uint32_t Host(const std::u16string& id, const std::u16string& name, const std::u16string& secret,
                uint8_t kind);
  uint32_t DeleteSsid(const char16_t* interfaceId, const char16_t* ssid);
  uint32_t Connect(const char16_t* interfaceId, const char16_t* ssid, const char16_t* key,
                   uint32_t kind, uint32_t value1, uint32_t value2);
  uint32_t Disconnect(const char16_t* interfaceId);
  void RegisterNotification(OrvaneWlanCallback callback);
  void UnRegisterNotification();
  uint32_t LastReason(char16_t* text, uint32_t units);

  Interface* FindInterface(const std::u16string& id);
  void Deliver();
  void DeliverOne(const Pending& pending);

  SimCallLog& log_;

  mutable std::mutex stateMutex_;
  std::vector<Interface> interfaces_;
  // Identifiers handed out by the last EnumInterface; valid until the next one.
  std::vector<std::u16string> enumeratedIds_;
  std::u16string failureReason_;

  std::mutex callbackMutex_;  // held while a notification is delivered
  OrvaneWlanCallback callback_ = nullptr;

  std::mutex queueMutex_;
  std::condition_variable queueChanged_;
  std::deque<Pending> queue_;
  bool delivering_ = false;
  bool stopping_ = false;
  std::thread deliveryThread_;
};

}  // namespace orvane::sim
