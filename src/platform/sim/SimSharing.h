#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/SharingService.h"
#include "platform/sim/SimCallLog.h"

namespace orvane::sim {

// One connection of the simulated sharing service, with its live sharing state.
struct SimConnection {
  std::string guid;  // "{8-4-4-4-12}" hex text; kept in upper case
  std::u16string name;
  std::u16string deviceName;
  uint32_t status = platform::kNcsConnected;
  uint32_t mediaType = platform::kNcmLan;
  bool sharingEnabled = false;
  int32_t sharingType = platform::kIcsSharingTypePublic;  // meaningful while enabled
};

// The simulated connection sharing service. Records CoInitialize, CoUninitialize,
// CreateSharingManager, EnumEveryConnection, Next, and with the connection's GUID text
// "GetConfiguration GUID", "GetSharingEnabled GUID", "EnableSharing GUID TYPE",
// "DisableSharing GUID", "GetConnectedDevices GUID"; each answers a scripted failure code instead
// of doing its work. Connections are enumerated in the order they were added; two may share a GUID.
// Objects it hands out must not outlive it. Used from one thread at a time.
class SimSharing : public platform::ISharingService {
 public:
  explicit SimSharing(SimCallLog& log);
  ~SimSharing() override;

  // Raises std::invalid_argument for a GUID text that is not "{8-4-4-4-12}" hex.
  void AddConnection(SimConnection connection);
  std::size_t ConnectionCount() const { return connections_.size(); }
  const SimConnection& Connection(std::size_t index) const { return connections_.at(index); }
  // The devices that use the connections with this GUID while they are shared as private;
  // set again when a device joins or leaves. Raises std::invalid_argument for a malformed GUID.
  void SetConnectedDevices(std::string_view guid,
                           const std::vector<platform::ConnectedDevice>& devices);

  // Interface objects handed out and not yet released, now and at the last CoUninitialize.
  std::size_t LiveObjects() const { return live_; }
  std::size_t LiveObjectsAtLastUninitialize() const { return liveAtUninitialize_; }

  // The stored form of a GUID text; raises std::invalid_argument when malformed.
  static platform::Guid ParseGuid(std::string_view text);

  // What the program last asked of guests and the local network (the setting it passes on).
  void SetGuestsReachLocalNetwork(bool allowed) override { guestsReachLocalNetwork_ = allowed; }
  bool GuestsReachLocalNetwork() const { return guestsReachLocalNetwork_; }
  // A scene may give the sharing a limit of devices (none unless set).
  void SetGuestLimit(std::size_t limit) { guestLimit_ = limit; }
  std::size_t GuestLimit() override { return guestLimit_; }

  // The service's words for every scripted failure (its error description).
  void SetErrorDescription(std::string text) { errorDescription_ = std::move(text); }
  std::string ErrorDescription() override { return errorDescription_; }
  // Runs on the calling thread before each call is recorded: a test can hold a call there to
  // see what waits for it.
  void SetBeforeCall(std::function<void(const std::string&)> hook) {
    beforeCall_ = std::move(hook);
  }

  platform::HResult CoInitialize() override;
  void CoUninitialize() override;
  platform::HResult CreateSharingManager(
      std::unique_ptr<platform::ISharingManager>& manager) override;

 private:
  class Counted;
  class Manager;
  class Enumerator;
  class NetConnection;
  class Configuration;

  // The stored form of a GUID text; raises std::invalid_argument when malformed.
  static std::string UpperGuid(std::string_view text);
  // The scripted answer of a call, or S_OK.
  platform::HResult Answer(const std::string& call);

  SimCallLog& log_;
  std::vector<SimConnection> connections_;
  std::map<std::string, std::vector<platform::ConnectedDevice>> devices_;  // by upper-case GUID
  std::string errorDescription_;
  std::function<void(const std::string&)> beforeCall_;
  std::size_t live_ = 0;
  std::size_t liveAtUninitialize_ = 0;
  std::atomic<bool> guestsReachLocalNetwork_{false};
  std::atomic<std::size_t> guestLimit_{0};
};

}  // namespace orvane::sim
