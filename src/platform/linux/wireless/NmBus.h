#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/linux/SystemBus.h"

namespace orvane::platform::linux_backend {

// A failure of a NetworkManager request, as the library's code.
struct NmFailure {
  uint32_t code = 0;
};

inline constexpr const char* kNmService = "org.freedesktop.NetworkManager";
inline constexpr const char* kNmPath = "/org/freedesktop/NetworkManager";
inline constexpr const char* kNmSettingsPath = "/org/freedesktop/NetworkManager/Settings";
inline constexpr const char* kNmSettings = "org.freedesktop.NetworkManager.Settings";
inline constexpr const char* kNmConnection = "org.freedesktop.NetworkManager.Settings.Connection";
inline constexpr const char* kNmActive = "org.freedesktop.NetworkManager.Connection.Active";
inline constexpr const char* kNmDevice = "org.freedesktop.NetworkManager.Device";
inline constexpr const char* kNmWireless = "org.freedesktop.NetworkManager.Device.Wireless";
inline constexpr const char* kNmAccessPoint = "org.freedesktop.NetworkManager.AccessPoint";

// Every call to NetworkManager is bounded by this; a service that never answers costs a
// request no more than one wait.
inline constexpr std::chrono::seconds kNmCallTimeout{2};

// The code of a failed sd-bus call.
uint32_t FailureCode(int result, const sd_bus_error* error);

// Requests to NetworkManager on one bus connection; each failure throws NmFailure.
class NmBus {
 public:
  // Throws NmFailure when the bus cannot be reached.
  NmBus();
  // Requests on a connection someone else owns and keeps open.
  explicit NmBus(sd_bus* borrowed) : bus_(borrowed) {}

  sd_bus* get() const { return bus_; }

  using Appender = std::function<int(sd_bus_message*)>;
  MessagePtr Call(const std::string& path, const char* interface, const char* member,
                  const Appender& append = {});
  // The reply is left inside the property's variant.
  MessagePtr Property(const std::string& path, const char* interface, const char* name,
                      const char* type);
  uint32_t Uint(const std::string& path, const char* interface, const char* name);
  std::string Text(const std::string& path, const char* interface, const char* name,
                   char type = 's');
  std::vector<std::string> Paths(const std::string& path, const char* interface, const char* name);

 private:
  BusPtr owned_;
  sd_bus* bus_ = nullptr;
};

// Walks a dictionary the reply is positioned at ("a{sv}" with `entry` "sv"); the visitor must
// consume the value of each entry. Throws NmFailure on a malformed reply.
void ForEachEntry(sd_bus_message* message, const char* entry,
                  const std::function<void(const std::string& key)>& visit);
// Reads a variant holding one basic value of `type` into `out`; skips a variant of another
// type and answers false.
bool ReadVariant(sd_bus_message* message, char type, void* out);
std::vector<uint8_t> ReadVariantBytes(sd_bus_message* message);
// Throws NmFailure when `result` is negative: a reply that is not what NetworkManager sends.
void Check(int result);

}  // namespace orvane::platform::linux_backend
