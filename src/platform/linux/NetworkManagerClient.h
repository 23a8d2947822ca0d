#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct sd_bus;

namespace orvane::platform::linux_backend {

// NetworkManager's view of one device.
struct ManagedDevice {
  std::string connectionName;  // the active connection's name; empty when none is active
  bool dhcp = false;           // an IPv4 lease configures the device
};

// A short-lived connection to NetworkManager on the system bus. Where the bus or the service
// does not run, or the caller lives in another network namespace than the one NetworkManager
// manages, every question answers nullopt and callers fall back to what the kernel says.
class NetworkManagerClient {
 public:
  NetworkManagerClient();
  ~NetworkManagerClient();
  NetworkManagerClient(const NetworkManagerClient&) = delete;
  NetworkManagerClient& operator=(const NetworkManagerClient&) = delete;

  bool Available() const { return bus_ != nullptr; }
  // NM_STATE: 70 is connected globally; below 50 means offline.
  std::optional<uint32_t> State();
  std::optional<ManagedDevice> Device(const std::string& interfaceName);
  // Whether the interface's active connection is Orvane's own access point: an access-point
  // profile carrying the program's marker. Its manual address is then the one sharing may use.
  bool OwnAccessPoint(const std::string& interfaceName);

 private:
  std::optional<std::string> DevicePath(const std::string& interfaceName);
  std::optional<std::string> ObjectProperty(const std::string& path, const char* interface,
                                            const char* name);

  sd_bus* bus_ = nullptr;
};

}  // namespace orvane::platform::linux_backend
